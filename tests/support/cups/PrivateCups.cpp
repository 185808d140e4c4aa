#include "PrivateCups.h"

#include "TempCwd.h"

#include <cups/cups.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qrl::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kSystemServerBin = "/usr/lib/cups";

// With no arguments a backend lists its devices; otherwise it gets the job file as $6 (or the data
// on standard input) and appends it to the file its device URI names after "capture:".
constexpr const char* kCaptureBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then
    echo 'direct capture "Unknown" "Capture"'
    exit 0
fi
out="${DEVICE_URI#capture:}"
if [ -n "$6" ]; then
    cat "$6" >>"$out" || exit 1
else
    cat >>"$out" || exit 1
fi
exit 0
)";

// A device that fails every job: the ERROR line becomes the queue's state message, exit code 1
// (CUPS_BACKEND_FAILED) leaves the rest to the queue's error policy.
constexpr const char* kFailBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then
    echo 'direct fail "Unknown" "Failing device"'
    exit 0
fi
cat >/dev/null
echo "ERROR: the test device is out of order" >&2
exit 1
)";

constexpr const char* kEverywherePrinter = "/usr/sbin/ippeveprinter";
constexpr const char* kMessageBus = "/usr/bin/dbus-daemon";

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
            const std::string& output)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envText(extraEnv);
    for (char** e = environ; *e; ++e)
        envText.emplace_back(*e);
    std::vector<char*> env;
    for (const std::string& e : envText)
        env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

} // namespace

PrivateCups::~PrivateCups()
{
    stop();
}

bool PrivateCups::fail(const std::string& why)
{
    m_reason = why;
    return false;
}

bool PrivateCups::start()
{
    if (running())
        return true;
    if (geteuid() != 0)
        return fail("a private cupsd needs root here (it runs its backends as user lp)");
    if (access(kCupsd, X_OK) != 0)
        return fail(std::string(kCupsd) + " is not installed (package cups-daemon)");
    if (!getpwnam("lp"))
        return fail("there is no user lp for the scheduler's backends");

    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/qrlcups-XXXXXX";
    if (!mkdtemp(templ.data()))
        return fail("cannot make a private folder for cupsd");
    m_root = templ;
    m_socket = m_root + "/cups.sock";
    // Only traversable by others: user lp must reach its backend and the capture folder.
    chmod(m_root.c_str(), 0711);
    if (!writeConfiguration()) {
        stop();
        return false;
    }

    m_pid = spawn({kCupsd, "-f", "-c", m_root + "/cupsd.conf", "-s", m_root + "/cups-files.conf"}, {},
                  m_root + "/log/cupsd.out");
    if (m_pid <= 0) {
        m_pid = -1;
        stop();
        return fail("cannot start cupsd");
    }
    if (!waitForSocket()) {
        const std::string why = m_reason + "\n" + errorLog();
        stop();
        return fail(why);
    }
    return true;
}

bool PrivateCups::writeConfiguration()
{
    std::error_code ec;
    for (const char* dir : {"bin/backend", "spool", "tmp", "cache", "state", "log", "out"})
        fs::create_directories(m_root + "/" + dir, ec);
    if (ec)
        return fail("cannot make the scheduler's folders: " + ec.message());
    const passwd* lp = getpwnam("lp");
    if (chown((m_root + "/out").c_str(), lp->pw_uid, lp->pw_gid) != 0)
        return fail("cannot hand the capture folder to user lp");

    for (const char* dir : {"filter", "daemon", "cgi-bin", "monitor", "notifier"}) {
        const std::string system = std::string(kSystemServerBin) + "/" + dir;
        if (fs::exists(system, ec))
            fs::create_symlink(system, m_root + "/bin/" + dir, ec);
    }
    for (const fs::directory_entry& b :
         fs::directory_iterator(std::string(kSystemServerBin) + "/backend", ec))
        fs::create_symlink(b.path(), m_root + "/bin/backend/" + b.path().filename().string(), ec);

    const std::string& r = m_root;
    try {
        writeFile(r + "/bin/backend/capture", kCaptureBackend);
        writeFile(r + "/bin/backend/fail", kFailBackend);
        writeFile(r + "/cupsd.conf", "LogLevel info\nListen " + m_socket +
                                         "\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                         "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                         "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                                         "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow "
                                         "all\n  </Limit>\n</Policy>\n");
        writeFile(r + "/cups-files.conf",
                  "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nTempDir " + r + "/tmp\nCacheDir " + r +
                      "/cache\nStateDir " + r + "/state\nAccessLog " + r + "/log/access_log\nErrorLog " + r +
                      "/log/error_log\nPageLog " + r + "/log/page_log\nPrintcap " + r +
                      "/printcap\nUser lp\nGroup lp\nSystemGroup root\nServerBin " + r + "/bin\n");
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    chmod((r + "/bin/backend/capture").c_str(), 0755);
    chmod((r + "/bin/backend/fail").c_str(), 0755);
    return true;
}

bool PrivateCups::waitForSocket()
{
    for (int waited = 0; waited < 10000; waited += 50) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return fail("cupsd ended at start");
        }
        if (http_t* http = httpConnect2(m_socket.c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1,
                                        1000, nullptr)) {
            httpClose(http);
            return true;
        }
        sleepMs(50);
    }
    return fail("cupsd did not answer within 10 s");
}

namespace {

// A free loopback port: one the kernel hands out for a socket bound to port 0.
int freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        close(fd);
    return port;
}

void stopProcess(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 20) {
        if (waited >= 5000) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        sleepMs(20);
    }
    pid = -1;
}

} // namespace

void PrivateCups::stop()
{
    stopProcess(m_printerPid);
    stopProcess(m_busPid);
    stopProcess(m_pid);
    if (!m_root.empty()) {
        std::error_code ec;
        fs::remove_all(m_root, ec);
        m_root.clear();
    }
}

bool PrivateCups::runTool(const std::vector<std::string>& argv)
{
    const std::string output = m_root + "/log/tool.out";
    std::error_code ec;
    fs::remove(output, ec);
    const pid_t pid = spawn(argv, {"CUPS_SERVER=" + m_socket}, output);
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid)
        return fail("cannot run " + argv[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return fail(argv[0] + " failed: " + readFile(output));
    return true;
}

bool PrivateCups::queue(const std::string& name)
{
    return queue(name, "capture:" + m_root + "/out/" + name + ".bin");
}

bool PrivateCups::queue(const std::string& name, const std::string& deviceUri)
{
    return runTool({"/usr/sbin/lpadmin", "-p", name, "-E", "-v", deviceUri, "-m", "raw"});
}

bool PrivateCups::queueWithDriver(const std::string& name, const std::string& ppd)
{
    const std::string ppdPath = m_root + "/" + name + ".ppd";
    writeFile(ppdPath, ppd);
    return runTool({"/usr/sbin/lpadmin", "-p", name, "-E", "-v",
                    "capture:" + m_root + "/out/" + name + ".bin", "-P", ppdPath});
}

bool PrivateCups::setDefault(const std::string& name)
{
    return runTool({"/usr/sbin/lpadmin", "-d", name});
}

bool PrivateCups::disable(const std::string& name)
{
    return runTool({"/usr/sbin/cupsdisable", name});
}

bool PrivateCups::reject(const std::string& name, const std::string& reason)
{
    return runTool({"/usr/sbin/cupsreject", "-r", reason, name});
}

bool PrivateCups::failingQueue(const std::string& name, bool abortJob)
{
    return runTool({"/usr/sbin/lpadmin", "-p", name, "-E", "-v", "fail:/" + name, "-m", "raw", "-o",
                    std::string("printer-error-policy=") + (abortJob ? "abort-job" : "stop-printer")});
}

bool PrivateCups::everywhereQueue(const std::string& name)
{
    if (access(kEverywherePrinter, X_OK) != 0)
        return fail(std::string(kEverywherePrinter) + " is not installed (package cups-ipp-utils)");
    if (access(kMessageBus, X_OK) != 0)
        return fail(std::string(kMessageBus) + " is not installed (package dbus-daemon)");
    const std::string bus = "unix:path=" + m_root + "/bus";
    m_busPid =
        spawn({kMessageBus, "--nofork", "--config-file=/usr/share/dbus-1/session.conf", "--address=" + bus},
              {}, m_root + "/log/bus.out");
    for (int waited = 0; waited < 5000 && access((m_root + "/bus").c_str(), F_OK) != 0; waited += 20)
        sleepMs(20);
    const int port = freePort();
    if (port == 0)
        return fail("no free loopback port for the printer");
    const std::string spool = m_root + "/printer";
    std::error_code ec;
    fs::create_directories(spool, ec);
    m_printerPid =
        spawn({kEverywherePrinter, "-p", std::to_string(port), "-n", "localhost", "-r", "off", "-d", spool,
               "-f", "application/pdf,image/pwg-raster", "-F", "image/pwg-raster", name},
              {"DBUS_SYSTEM_BUS_ADDRESS=" + bus}, m_root + "/log/printer.out");
    if (m_printerPid <= 0) {
        m_printerPid = -1;
        return fail("cannot start the driverless printer");
    }
    const std::string uri = "ipp://localhost:" + std::to_string(port) + "/ipp/print";
    // The printer answers once it listens; the queue is made from what it says of itself.
    for (int waited = 0; waited < 10000; waited += 100) {
        if (runTool({"/usr/sbin/lpadmin", "-p", name, "-E", "-v", uri, "-m", "everywhere"}))
            return true;
        sleepMs(100);
    }
    return fail("the driverless queue could not be made: " + m_reason +
                readFile(m_root + "/log/printer.out"));
}

bool PrivateCups::waitIdle(const std::string& name, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        http_t* http =
            httpConnect2(m_socket.c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 1000, nullptr);
        if (http) {
            cups_job_t* jobs = nullptr;
            const int active = cupsGetJobs2(http, &jobs, name.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
            cupsFreeJobs(active, jobs);
            httpClose(http);
            if (active == 0)
                return true;
        }
        sleepMs(50);
    }
    return fail("jobs on " + name + " did not end in time");
}

std::string PrivateCups::captured(const std::string& name) const
{
    return readFile(m_root + "/out/" + name + ".bin");
}

std::string PrivateCups::errorLog() const
{
    return readFile(m_root + "/log/error_log") + readFile(m_root + "/log/cupsd.out");
}

} // namespace qrl::test
