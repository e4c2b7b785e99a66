// The Windows engine: SAPI's ISpVoice, made on a thread of its own at the first utterance.
#include "framework/Speaker.h"
#include "framework/QueuedSpeaker.h"
#include "framework/SpeechInput.h"
#include "framework/Translation.h"

#include <windows.h>
#include <mmsystem.h>
#include <initguid.h>
#include <sapi.h>

#include <mutex>
#include <optional>
#include <string>

namespace
{

std::wstring Wide(const std::string& strUtf8)
{
    if (strUtf8.empty())
        return {};
    const int nLength = MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(),
        static_cast<int>(strUtf8.size()), nullptr, 0);
    std::wstring strWide(static_cast<std::size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()),
        strWide.data(), nLength);
    return strWide;
}

// Read from the registry, loading no engine: a voice token whose engine class is
// registered. Wine registers a default voice without one.
bool VoiceInstalled()
{
    HKEY hTokens = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens", 0,
            KEY_READ, &hTokens) != ERROR_SUCCESS)
        return false;
    bool bFound = false;
    wchar_t szToken[256];
    for (DWORD i = 0; !bFound; ++i)
    {
        DWORD nLength = 256;
        if (RegEnumKeyExW(hTokens, i, szToken, &nLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        wchar_t szClass[64];
        DWORD nSize = sizeof szClass;
        if (RegGetValueW(hTokens, szToken, L"CLSID", RRF_RT_REG_SZ, nullptr, szClass, &nSize) !=
            ERROR_SUCCESS)
            continue;
        HKEY hServer = nullptr;
        const std::wstring strServer = L"CLSID\\" + std::wstring(szClass) + L"\\InprocServer32";
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, strServer.c_str(), 0, KEY_READ, &hServer) == ERROR_SUCCESS)
        {
            bFound = true;
            RegCloseKey(hServer);
        }
    }
    RegCloseKey(hTokens);
    return bFound;
}

// The first voice of the accent's language; without one the default voice stays.
void ChooseVoice(ISpVoice* pVoice, SpeechAccent accent)
{
    ISpObjectTokenCategory* pCategory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
            __uuidof(ISpObjectTokenCategory), reinterpret_cast<void**>(&pCategory))))
        return;
    IEnumSpObjectTokens* pTokens = nullptr;
    if (SUCCEEDED(pCategory->SetId(SPCAT_VOICES, FALSE)) &&
        SUCCEEDED(pCategory->EnumTokens(SapiLanguage(accent), nullptr, &pTokens)))
    {
        ISpObjectToken* pToken = nullptr;
        if (pTokens->Next(1, &pToken, nullptr) == S_OK)
        {
            pVoice->SetVoice(pToken);
            pToken->Release();
        }
        pTokens->Release();
    }
    pCategory->Release();
}

struct SapiUtterance
{
    std::wstring m_strXml;
    SpeechAccent m_accent;
};

class SapiSpeaker final : public QueuedSpeaker<SapiUtterance>
{
public:
    ~SapiSpeaker() override { EndWorker(); }

    std::string WhyUnavailable() const override
    {
        std::call_once(m_installedOnce, [this] { m_bInstalled = VoiceInstalled(); });
        if (m_bInstalled)
            return {};
        // TRANSLATORS: in the status bar, for the greyed speech commands (Windows).
        return Tr("Speech needs a voice of the system's speech engine, and none is "
                  "installed on this computer.");
    }

    void Say(const std::vector<SpokenWord>& words, SpeechAccent accent) override
    {
        Queue({Wide(SapiInput(words)), accent});
    }

private:
    using Utterance = SapiUtterance;

    // SAPI speaks asynchronously on its own thread; this one only owns the voice, so
    // that the window's thread never waits for COM.
    void Run() override
    {
        const HRESULT hrCom = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ISpVoice* pVoice = nullptr;
        bool bTried = false;
        std::optional<SpeechAccent> chosen;
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;)
        {
            m_wake.wait(lock, [this] { return m_bQuit || m_next || m_bStopAsked || m_prepare; });
            if (m_bQuit)
                break;
            const bool bPrepareOnly = m_prepare && !m_next && !m_bStopAsked;
            const std::optional<SpeechAccent> prepare = m_prepare;
            m_prepare.reset();
            m_bStopAsked = false;
            std::optional<Utterance> utterance = std::move(m_next);
            m_next.reset();
            lock.unlock();
            if (!bTried)
            {
                bTried = true;
                if (waveOutGetNumDevs() == 0)
                    NoSound();
                else if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL,
                             __uuidof(ISpVoice), reinterpret_cast<void**>(&pVoice))))
                    // TRANSLATORS: in the status bar (Windows).
                    Tell(Tr("Speech could not start: the system's speech engine failed "
                            "to load."));
            }
            std::optional<SpeechAccent> accent = bPrepareOnly ? prepare : std::nullopt;
            if (utterance)
                accent = utterance->m_accent;
            if (pVoice && accent && chosen != accent)
            {
                ChooseVoice(pVoice, *accent);
                chosen = accent;
            }
            if (pVoice && !bPrepareOnly && !utterance)
                pVoice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
            else if (pVoice && utterance &&
                     FAILED(pVoice->Speak(utterance->m_strXml.c_str(),
                         SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_XML, nullptr)))
                NoSound();
            lock.lock();
        }
        lock.unlock();
        if (pVoice)
        {
            pVoice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
            pVoice->Release();
        }
        if (SUCCEEDED(hrCom))
            CoUninitialize();
    }

    void NoSound()
    {
        Tell(Tr("Speech is silent: this computer has no sound output that works."));
    }

    mutable std::once_flag m_installedOnce;
    mutable bool m_bInstalled = false;
};

} // namespace

std::unique_ptr<Speaker> MakeSystemSpeaker()
{
    return std::make_unique<SapiSpeaker>();
}
