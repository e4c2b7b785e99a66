// Starts a program and watches its window from outside, through the X server: when a
// top-level window with the given title is shown, when a given colour first appears in
// it, and when its pixels stop changing; then the program's peak resident memory.
// Prints one line of key=value pairs, times in milliseconds from the exec.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;

struct Options
{
    std::string strTitle;
    bool bTitleContains = false;
    std::optional<std::uint32_t> colour; // 0xRRGGBB
    int nTolerance = 12;
    long nMinPixels = 1000;
    int nSettleMs = 1000;
    int nTimeoutMs = 30000;
    int nPollUs = 2000;
    char** ppCommand = nullptr;
};

[[noreturn]] void Usage()
{
    std::fprintf(stderr,
                 "usage: first_paint (--title TEXT | --title-contains TEXT) [--colour R,G,B]\n"
                 "         [--tolerance N] [--min-pixels N] [--settle-ms N] [--timeout-ms N]\n"
                 "         [--poll-us N] -- COMMAND [ARGS...]\n");
    std::exit(2);
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string strArg = argv[i];
        if (strArg == "--")
        {
            if (i + 1 >= argc)
                Usage();
            options.ppCommand = argv + i + 1;
            break;
        }
        if (i + 1 >= argc)
            Usage();
        const char* pszValue = argv[++i];
        if (strArg == "--title" || strArg == "--title-contains")
        {
            options.strTitle = pszValue;
            options.bTitleContains = strArg == "--title-contains";
        }
        else if (strArg == "--colour")
        {
            int r = 0, g = 0, b = 0;
            if (std::sscanf(pszValue, "%d,%d,%d", &r, &g, &b) != 3)
                Usage();
            options.colour = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
        }
        else if (strArg == "--tolerance")
            options.nTolerance = std::atoi(pszValue);
        else if (strArg == "--min-pixels")
            options.nMinPixels = std::atol(pszValue);
        else if (strArg == "--settle-ms")
            options.nSettleMs = std::atoi(pszValue);
        else if (strArg == "--timeout-ms")
            options.nTimeoutMs = std::atoi(pszValue);
        else if (strArg == "--poll-us")
            options.nPollUs = std::atoi(pszValue);
        else
            Usage();
    }
    if (options.strTitle.empty() || !options.ppCommand)
        Usage();
    return options;
}

// Windows come and go while we look: errors about vanished windows are expected.
int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::string WindowTitle(Display* pDisplay, Window window)
{
    static const Atom netWmName = XInternAtom(pDisplay, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(pDisplay, "UTF8_STRING", False);
    Atom type = None;
    int nFormat = 0;
    unsigned long nItems = 0, nAfter = 0;
    unsigned char* pData = nullptr;
    std::string strTitle;
    if (XGetWindowProperty(pDisplay, window, netWmName, 0, 1024, False, utf8, &type, &nFormat,
                           &nItems, &nAfter, &pData) == Success &&
        pData)
    {
        strTitle.assign(reinterpret_cast<char*>(pData), nItems);
        XFree(pData);
        return strTitle;
    }
    char* pszName = nullptr;
    if (XFetchName(pDisplay, window, &pszName) && pszName)
    {
        strTitle = pszName;
        XFree(pszName);
    }
    return strTitle;
}

// A shown top-level window (a child of the root, there being no window manager) whose
// title matches.
std::optional<Window> FindWindow(Display* pDisplay, const Options& options)
{
    Window root = 0, parent = 0;
    Window* pChildren = nullptr;
    unsigned nChildren = 0;
    if (!XQueryTree(pDisplay, DefaultRootWindow(pDisplay), &root, &parent, &pChildren, &nChildren))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned i = 0; i < nChildren && !found; ++i)
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(pDisplay, pChildren[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        const std::string strTitle = WindowTitle(pDisplay, pChildren[i]);
        const bool bMatch = options.bTitleContains
                                ? strTitle.find(options.strTitle) != std::string::npos
                                : strTitle == options.strTitle;
        if (bMatch)
            found = pChildren[i];
    }
    if (pChildren)
        XFree(pChildren);
    return found;
}

// Grabs a window's pixels through shared memory, so that polling costs the X server a
// copy and no transfer.
class WindowGrabber
{
public:
    WindowGrabber(Display* pDisplay, Window window) : m_pDisplay(pDisplay), m_window(window)
    {
        XWindowAttributes attributes;
        XGetWindowAttributes(pDisplay, window, &attributes);
        m_pImage =
            XShmCreateImage(pDisplay, attributes.visual, static_cast<unsigned>(attributes.depth),
                            ZPixmap, nullptr, &m_shm, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height));
        m_shm.shmid =
            shmget(IPC_PRIVATE, static_cast<size_t>(m_pImage->bytes_per_line) * m_pImage->height,
                   IPC_CREAT | 0600);
        m_shm.shmaddr = m_pImage->data = static_cast<char*>(shmat(m_shm.shmid, nullptr, 0));
        m_shm.readOnly = False;
        XShmAttach(pDisplay, &m_shm);
        XSync(pDisplay, False);
        shmctl(m_shm.shmid, IPC_RMID, nullptr);
    }
    ~WindowGrabber()
    {
        XShmDetach(m_pDisplay, &m_shm);
        XDestroyImage(m_pImage);
        shmdt(m_shm.shmaddr);
    }

    bool Grab() { return XShmGetImage(m_pDisplay, m_window, m_pImage, 0, 0, AllPlanes); }

    // The pixels as 0xRRGGBB, row by row.
    void Pixels(std::vector<std::uint32_t>& pixels) const
    {
        pixels.resize(static_cast<size_t>(m_pImage->width) * m_pImage->height);
        size_t n = 0;
        for (int y = 0; y < m_pImage->height; ++y)
        {
            if (m_pImage->bits_per_pixel == 32)
            {
                const auto* pRow = reinterpret_cast<const std::uint32_t*>(
                    m_pImage->data + y * m_pImage->bytes_per_line);
                for (int x = 0; x < m_pImage->width; ++x)
                    pixels[n++] = pRow[x] & 0xFFFFFF;
            }
            else
            {
                for (int x = 0; x < m_pImage->width; ++x)
                    pixels[n++] = static_cast<std::uint32_t>(XGetPixel(m_pImage, x, y)) & 0xFFFFFF;
            }
        }
    }

private:
    Display* m_pDisplay;
    Window m_window;
    XShmSegmentInfo m_shm{};
    XImage* m_pImage = nullptr;
};

long CountNear(const std::vector<std::uint32_t>& pixels, std::uint32_t colour, int nTolerance)
{
    auto near = [nTolerance](std::uint32_t a, std::uint32_t b, int nShift)
    {
        return std::abs(static_cast<int>(a >> nShift & 0xFF) -
                        static_cast<int>(b >> nShift & 0xFF)) <= nTolerance;
    };
    long nCount = 0;
    for (std::uint32_t pixel : pixels)
        if (near(pixel, colour, 16) && near(pixel, colour, 8) && near(pixel, colour, 0))
            ++nCount;
    return nCount;
}

long VmHwmKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string strLine;
    while (std::getline(status, strLine))
        if (strLine.rfind("VmHWM:", 0) == 0)
            return std::atol(strLine.c_str() + 6);
    return -1;
}

// CPU time the program's live threads have used so far, in milliseconds (the first
// field of each thread's schedstat is its time on a CPU in nanoseconds).
double CpuMs(pid_t pid)
{
    const std::string strTasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* pDir = opendir(strTasks.c_str());
    if (!pDir)
        return -1;
    double fNs = 0;
    while (const dirent* pEntry = readdir(pDir))
    {
        if (pEntry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(strTasks + "/" + pEntry->d_name + "/schedstat");
        double fThreadNs = 0;
        if (schedstat >> fThreadNs)
            fNs += fThreadNs;
    }
    closedir(pDir);
    return fNs / 1e6;
}

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Stops the program: TERM, and KILL after two seconds. Returns its peak resident set
// size in kB as the kernel accounted it.
long Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    struct rusage usage
    {
    };
    int nStatus = 0;
    for (int i = 0; i < 200; ++i)
    {
        if (wait4(pid, &nStatus, WNOHANG, &usage) == pid)
            return usage.ru_maxrss;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    wait4(pid, &nStatus, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    Display* pDisplay = XOpenDisplay(nullptr);
    if (!pDisplay)
    {
        std::fprintf(stderr, "first_paint: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    if (!XShmQueryExtension(pDisplay))
    {
        std::fprintf(stderr, "first_paint: the X server has no MIT-SHM\n");
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0)
    {
        execvp(options.ppCommand[0], options.ppCommand);
        std::perror("first_paint: exec");
        _exit(127);
    }

    auto exited = [pid]
    {
        int nStatus = 0;
        return waitpid(pid, &nStatus, WNOHANG) == pid;
    };
    const auto poll = std::chrono::microseconds(options.nPollUs);

    std::optional<Window> window;
    double fMappedMs = -1;
    while (!window)
    {
        if (exited() || MsSince(start) > options.nTimeoutMs)
        {
            std::printf("error=no_window\n");
            if (!exited())
                Stop(pid);
            return 1;
        }
        window = FindWindow(pDisplay, options);
        if (!window)
            std::this_thread::sleep_for(poll);
    }
    fMappedMs = MsSince(start);

    std::optional<WindowGrabber> grabber;
    grabber.emplace(pDisplay, *window);
    std::vector<std::uint32_t> pixels, previous;
    double fPaintMs = -1, fPaintCpuMs = -1, fLastChangeMs = fMappedMs;
    long nPixels = 0;
    for (;;)
    {
        const double fNow = MsSince(start);
        if (grabber->Grab())
        {
            grabber->Pixels(pixels);
            if (pixels != previous)
            {
                fLastChangeMs = fNow;
                previous.swap(pixels);
                if (options.colour && fPaintMs < 0)
                {
                    nPixels = CountNear(previous, *options.colour, options.nTolerance);
                    if (nPixels >= options.nMinPixels)
                    {
                        fPaintMs = fNow;
                        fPaintCpuMs = CpuMs(pid);
                    }
                }
            }
        }
        const bool bPainted = !options.colour || fPaintMs >= 0;
        if (bPainted && fNow - fLastChangeMs >= options.nSettleMs)
            break;
        if (fNow > options.nTimeoutMs || exited())
            break;
        std::this_thread::sleep_for(poll);
    }

    const long nHwmKb = VmHwmKb(pid);
    const long nMaxRssKb = Stop(pid);
    std::printf("mapped_ms=%.1f", fMappedMs);
    if (options.colour)
        std::printf(" paint_ms=%.1f paint_cpu_ms=%.1f colour_pixels=%ld", fPaintMs, fPaintCpuMs,
                    nPixels);
    std::printf(" settled_ms=%.1f vmhwm_kb=%ld maxrss_kb=%ld\n", fLastChangeMs, nHwmKb, nMaxRssKb);
    grabber.reset();
    XCloseDisplay(pDisplay);
    return options.colour && fPaintMs < 0 ? 1 : 0;
}
