#include "framework/EspeakSpeaker.h"

#include "framework/QueuedSpeaker.h"
#include "framework/Translation.h"

#include <espeak-ng/speak_lib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace
{

// libpcaudio has no development package in every release; these are the few calls used.
struct audio_object;
constexpr int kPcaudioS16LE = 2;
using PcaudioCreate = audio_object* (*)(const char*, const char*, const char*);
using PcaudioOpen = int (*)(audio_object*, int, std::uint32_t, std::uint8_t);
using PcaudioClose = void (*)(audio_object*);
using PcaudioWrite = int (*)(audio_object*, const void*, std::size_t);
using PcaudioFlush = int (*)(audio_object*);
using PcaudioDestroy = void (*)(audio_object*);

const char* const kDefaultLibrary = "libespeak-ng.so.1";
const char* const kPcaudioLibrary = "libpcaudio.so.0";
// Short chunks, so that a cut is heard within this many milliseconds.
constexpr int kChunkMs = 40;

// espeak-ng keeps its state per process: one loaded engine serves every speaker, and
// one utterance is synthesized at a time.
struct Engine
{
    decltype(&espeak_Initialize) Initialize = nullptr;
    decltype(&espeak_SetSynthCallback) SetSynthCallback = nullptr;
    decltype(&espeak_SetVoiceByProperties) SetVoiceByProperties = nullptr;
    decltype(&espeak_Synth) Synth = nullptr;
    PcaudioCreate AudioCreate = nullptr;
    PcaudioOpen AudioOpen = nullptr;
    PcaudioClose AudioClose = nullptr;
    PcaudioWrite AudioWrite = nullptr;
    PcaudioFlush AudioFlush = nullptr;
    PcaudioDestroy AudioDestroy = nullptr;
    int m_nRate = 0;
    std::string m_strVoice;
};

std::mutex g_engineMutex;
Engine* g_pEngine = nullptr; // loaded once, kept until the process ends

void NoAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// libasound writes a missing device's details to standard error; the status bar says it.
void QuietAlsa()
{
    void* pAlsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!pAlsa)
        return;
    using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
    if (auto fnSet = reinterpret_cast<SetHandler>(dlsym(pAlsa, "snd_lib_error_set_handler")))
        fnSet(&NoAlsaMessage);
    dlclose(pAlsa);
}

template <typename T>
bool Find(void* pLibrary, const char* pszName, T& fn)
{
    fn = reinterpret_cast<T>(dlsym(pLibrary, pszName));
    return fn != nullptr;
}

// Under g_engineMutex. nullptr when the library cannot be loaded or started.
Engine* LoadEngine(const std::string& strLibrary)
{
    if (g_pEngine)
        return g_pEngine;
    void* pEspeak = dlopen(strLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!pEspeak)
        return nullptr;
    void* pAudio = dlopen(kPcaudioLibrary, RTLD_NOW | RTLD_LOCAL);
    auto pEngine = std::make_unique<Engine>();
    Engine& e = *pEngine;
    const bool bFound = Find(pEspeak, "espeak_Initialize", e.Initialize) &&
        Find(pEspeak, "espeak_SetSynthCallback", e.SetSynthCallback) &&
        Find(pEspeak, "espeak_SetVoiceByProperties", e.SetVoiceByProperties) &&
        Find(pEspeak, "espeak_Synth", e.Synth);
    if (!bFound)
        return nullptr;
    if (pAudio)
    {
        const bool bAudio = Find(pAudio, "create_audio_device_object", e.AudioCreate) &&
            Find(pAudio, "audio_object_open", e.AudioOpen) &&
            Find(pAudio, "audio_object_close", e.AudioClose) &&
            Find(pAudio, "audio_object_write", e.AudioWrite) &&
            Find(pAudio, "audio_object_flush", e.AudioFlush) &&
            Find(pAudio, "audio_object_destroy", e.AudioDestroy);
        if (!bAudio)
            e.AudioCreate = nullptr;
        QuietAlsa();
    }
    e.m_nRate = e.Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kChunkMs, nullptr,
        espeakINITIALIZE_DONT_EXIT);
    if (e.m_nRate <= 0)
        return nullptr;
    g_pEngine = pEngine.release();
    return g_pEngine;
}

std::string LibraryFolder(const void* pSymbol)
{
    Dl_info info{};
    if (!dladdr(pSymbol, &info) || !info.dli_fname)
        return {};
    const std::string strFile = info.dli_fname;
    const std::size_t nSlash = strFile.rfind('/');
    return nSlash == std::string::npos ? std::string() : strFile.substr(0, nSlash);
}

bool Readable(const std::string& strFile)
{
    return access(strFile.c_str(), R_OK) == 0;
}

struct EspeakUtterance
{
    std::string m_strText;
    SpeechAccent m_accent;
};

class EspeakSpeaker final : public QueuedSpeaker<EspeakUtterance>
{
public:
    explicit EspeakSpeaker(EspeakOptions options) : m_options(std::move(options)) {}

    ~EspeakSpeaker() override { EndWorker(); }

    std::string WhyUnavailable() const override
    {
        std::call_once(m_installedOnce,
            [this] { m_bInstalled = EspeakLibraryInstalled(m_options.m_strLibrary); });
        if (m_bInstalled)
            return {};
        // TRANSLATORS: in the status bar, for the greyed speech commands.
        return Tr("Speech needs espeak-ng, which is not installed on this computer.");
    }

    void Say(const std::vector<SpokenWord>& words, SpeechAccent accent) override
    {
        Queue({EspeakInput(words), accent});
    }

private:
    using Utterance = EspeakUtterance;

    void Run() override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;)
        {
            m_wake.wait(lock, [this] { return m_bQuit || m_next || m_bStopAsked || m_prepare; });
            if (m_bQuit)
                break;
            if (m_prepare && !m_next && !m_bStopAsked)
            {
                const SpeechAccent accent = *m_prepare;
                m_prepare.reset();
                lock.unlock();
                std::lock_guard<std::mutex> engineLock(g_engineMutex);
                Ready(accent);
                lock.lock();
                continue;
            }
            m_prepare.reset();
            m_bStopAsked = false;
            std::optional<Utterance> utterance = std::move(m_next);
            m_next.reset();
            m_bCut = false;
            lock.unlock();
            Silence();
            if (utterance)
                Speak(*utterance);
            lock.lock();
        }
        lock.unlock();
        std::lock_guard<std::mutex> engineLock(g_engineMutex);
        if (m_pAudio && m_bAudioOpen)
            g_pEngine->AudioClose(m_pAudio);
        if (m_pAudio)
            g_pEngine->AudioDestroy(m_pAudio);
    }

    // Drops what the device still has to play.
    void Silence()
    {
        if (!m_bWrote)
            return;
        std::lock_guard<std::mutex> engineLock(g_engineMutex);
        g_pEngine->AudioFlush(m_pAudio);
        m_bWrote = false;
    }

    // Under g_engineMutex: the engine loaded, with the accent's voice; nullptr, told,
    // when it cannot be loaded.
    Engine* Ready(SpeechAccent accent)
    {
        Engine* pEngine = LoadEngine(m_options.m_strLibrary);
        if (!pEngine)
        {
            // TRANSLATORS: in the status bar; espeak-ng is the name of the speech engine.
            Tell(Tr("Speech could not start: espeak-ng failed to load."));
            return nullptr;
        }
        const char* pszVoice = EspeakVoice(accent);
        if (pEngine->m_strVoice != pszVoice)
        {
            // By language: "en-gb" is no voice's name, only its language.
            espeak_VOICE voice{};
            voice.languages = pszVoice;
            pEngine->m_strVoice.clear();
            if (pEngine->SetVoiceByProperties(&voice) != EE_OK)
            {
                voice.languages = "en";
                // Without a voice espeak-ng would crash in the synthesis.
                if (pEngine->SetVoiceByProperties(&voice) != EE_OK)
                {
                    Tell(Tr("Speech could not start: espeak-ng failed to load."));
                    return nullptr;
                }
            }
            pEngine->m_strVoice = pszVoice;
        }
        return pEngine;
    }

    void Speak(const Utterance& utterance)
    {
        std::lock_guard<std::mutex> engineLock(g_engineMutex);
        Engine* pEngine = Ready(utterance.m_accent);
        m_bUtteranceFailed = false;
        if (!pEngine || (m_bAudioFailed && !m_options.m_fnSamples))
        {
            if (m_options.m_fnEnded)
                m_options.m_fnEnded(false);
            return;
        }
        pEngine->SetSynthCallback(&EspeakSpeaker::OnSynth);
        const bool bToTheEnd = pEngine->Synth(utterance.m_strText.c_str(),
                                   utterance.m_strText.size() + 1, 0, POS_CHARACTER, 0,
                                   espeakCHARS_UTF8 | espeakPHONEMES, nullptr, this) == EE_OK &&
            !m_bCut && !m_bUtteranceFailed;
        if (m_options.m_fnEnded)
            m_options.m_fnEnded(bToTheEnd);
    }

    static int OnSynth(short* pSamples, int nCount, espeak_EVENT* pEvents)
    {
        auto* pThis = pEvents ? static_cast<EspeakSpeaker*>(pEvents->user_data) : nullptr;
        if (!pThis || pThis->m_bCut)
            return 1;
        if (!pSamples || nCount <= 0)
            return 0;
        return pThis->Play(pSamples, nCount) ? 0 : 1;
    }

    // On the worker, under g_engineMutex.
    bool Play(const short* pSamples, int nCount)
    {
        Engine& e = *g_pEngine;
        if (m_options.m_fnSamples)
        {
            m_bUtteranceFailed = !m_options.m_fnSamples(pSamples, nCount, e.m_nRate);
            return !m_bUtteranceFailed;
        }
        if (!m_bAudioOpen)
        {
            if (!m_pAudio && e.AudioCreate)
                m_pAudio = e.AudioCreate(nullptr, "Taldrin", "Taldrin");
            if (!m_pAudio || e.AudioOpen(m_pAudio, kPcaudioS16LE,
                                 static_cast<std::uint32_t>(e.m_nRate), 1) != 0)
                return NoSound();
            m_bAudioOpen = true;
        }
        if (e.AudioWrite(m_pAudio, pSamples, static_cast<std::size_t>(nCount) * 2) != 0)
        {
            e.AudioClose(m_pAudio);
            m_bAudioOpen = false;
            return NoSound();
        }
        m_bWrote = true;
        return true;
    }

    bool NoSound()
    {
        m_bAudioFailed = true;
        m_bUtteranceFailed = true;
        // TRANSLATORS: in the status bar, when the computer has no working sound output.
        Tell(Tr("Speech is silent: this computer has no sound output that works."));
        return false;
    }

    const EspeakOptions m_options;
    mutable std::once_flag m_installedOnce;
    mutable bool m_bInstalled = false;

    // The worker's own.
    audio_object* m_pAudio = nullptr;
    bool m_bAudioOpen = false;
    bool m_bAudioFailed = false;
    bool m_bWrote = false;
    bool m_bUtteranceFailed = false;
};

} // namespace

std::string EspeakLibraryName()
{
    const char* pszLibrary = std::getenv("TALDRIN_ESPEAK_LIBRARY");
    return pszLibrary && *pszLibrary ? pszLibrary : kDefaultLibrary;
}

bool EspeakLibraryInstalled(const std::string& strLibrary)
{
    if (strLibrary.empty())
        return false;
    if (strLibrary.find('/') != std::string::npos)
        return Readable(strLibrary);
    std::vector<std::string> folders;
    if (const char* pszPath = std::getenv("LD_LIBRARY_PATH"))
    {
        std::istringstream path(pszPath);
        for (std::string strFolder; std::getline(path, strFolder, ':');)
            if (!strFolder.empty())
                folders.push_back(strFolder);
    }
    // The C library's folder is the system's own (/usr/lib/x86_64-linux-gnu and the like).
    const std::string strSystem = LibraryFolder(reinterpret_cast<const void*>(&std::fopen));
    if (!strSystem.empty())
    {
        folders.push_back(strSystem);
        if (strSystem.rfind("/lib/", 0) == 0)
            folders.push_back("/usr" + strSystem);
    }
    for (const char* pszFolder : {"/usr/local/lib", "/usr/lib", "/lib", "/usr/lib64", "/lib64"})
        folders.push_back(pszFolder);
    for (const std::string& strFolder : folders)
        if (Readable(strFolder + "/" + strLibrary))
            return true;
    // Folders named in ld.so.conf: the linker's cache holds every library's path.
    std::ifstream cache("/etc/ld.so.cache", std::ios::binary);
    const std::string strCache{std::istreambuf_iterator<char>(cache), {}};
    std::size_t nAt = 0;
    while ((nAt = strCache.find("/" + strLibrary, nAt)) != std::string::npos)
    {
        std::size_t nStart = strCache.rfind('\0', nAt);
        nStart = nStart == std::string::npos ? 0 : nStart + 1;
        if (Readable(strCache.substr(nStart, nAt + 1 + strLibrary.size() - nStart)))
            return true;
        nAt += strLibrary.size();
    }
    return false;
}

std::unique_ptr<Speaker> MakeEspeakSpeaker(EspeakOptions options)
{
    return std::make_unique<EspeakSpeaker>(std::move(options));
}

std::unique_ptr<Speaker> MakeSystemSpeaker()
{
    return MakeEspeakSpeaker(EspeakOptions());
}
