// kavro-dvb-emulator: runs a command with the tuners of a simulated world as
// Linux DVB adapters, at the system-call boundary (umockdev). See
// docs/dvb-emulator.md.
//
//   kavro-dvb-emulator [--journal FILE] WORLD -- COMMAND [ARG...]
//
// WORLD is a world file (docs/simulator.md), or "default" for the embedded
// world. Tuner i of the world becomes /dev/dvb/adapteri/{frontend0,demux0,dvr0},
// under a PCI or USB bus device by its kind. The exit status is the command's.
#include "platform/com/Journal.h"
#include "sim/tuner/SimClock.h"
#include "sim/tuner/Sky.h"
#include "sim/world/DefaultWorld.h"
#include "sim/world/WorldFile.h"
#include "tools/dvb-emulator/EmulatedAdapter.h"

#include <umockdev.h>

#include <linux/dvb/dmx.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Without --journal the decoded requests go to stderr; with it they go to
// the file through the process journal, which also carries what the
// simulated cable made of each DiSEqC message ("diseqc E0 31 68 FF -> motor
// drive east 1 step"), right after the request that sent it.
std::mutex g_journalLock;
bool g_journalToFile = false;

void JournalLine(const std::string& line)
{
    if (g_journalToFile) {
        JournalWrite(line);
        return;
    }
    std::lock_guard guard(g_journalLock);
    std::fprintf(stderr, "%s\n", line.c_str());
}

enum class Node { Frontend, Demux, Dvr };

// DVR reads wait here until packets are due; a thread of its own answers
// them, so the frontend's ioctls never queue behind a waiting read.
class DvrPacer {
public:
    explicit DvrPacer(dvbemu::EmulatedAdapter& adapter) : m_adapter(adapter), m_thread([this] { Run(); }) {}
    ~DvrPacer()
    {
        {
            std::lock_guard guard(m_lock);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    void Add(UMockdevIoctlClient* client)
    {
        g_object_ref(client);
        {
            std::lock_guard guard(m_lock);
            m_reads.push_back(Read{client, std::chrono::steady_clock::now()});
        }
        m_wake.notify_all();
    }

private:
    struct Read {
        UMockdevIoctlClient* client;
        std::chrono::steady_clock::time_point since;
    };
    void Run()
    {
        std::unique_lock lock(m_lock);
        while (!m_quit) {
            if (m_reads.empty()) {
                m_wake.wait(lock);
                continue;
            }
            Read read = m_reads.front();
            lock.unlock();
            UMockdevIoctlData* data = umockdev_ioctl_client_get_arg(read.client);
            m_buffer.resize(static_cast<std::size_t>(data->data_len));
            int error = 0;
            std::int64_t waitMs = 0;
            const long got = m_adapter.ReadDvr(m_buffer.data(), m_buffer.size(), &error, &waitMs);
            const auto waited = std::chrono::steady_clock::now() - read.since;
            bool done = true;
            if (got > 0) {
                umockdev_ioctl_data_update(data, 0, m_buffer.data(), static_cast<gint>(got));
                umockdev_ioctl_client_complete(read.client, got, 0);
            } else if (got < 0) {
                umockdev_ioctl_client_complete(read.client, -1, error);
            } else if (waited > std::chrono::milliseconds(200)) {
                // Nothing for 200 ms (not streaming, or the lock lost while
                // streaming): a non-blocking reader's EAGAIN, so a reader
                // that is told to stop is never held in its read.
                umockdev_ioctl_client_complete(read.client, -1, EAGAIN);
            } else {
                done = false;
            }
            lock.lock();
            if (done) {
                g_object_unref(read.client);
                m_reads.pop_front();
            } else {
                m_wake.wait_for(lock, std::chrono::milliseconds(std::min<std::int64_t>(waitMs, 20)));
            }
        }
        for (const Read& read : m_reads) {
            umockdev_ioctl_client_complete(read.client, -1, ENODEV);
            g_object_unref(read.client);
        }
    }

    dvbemu::EmulatedAdapter& m_adapter;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Read> m_reads;
    bool m_quit = false;
    std::vector<std::uint8_t> m_buffer;
    std::thread m_thread;
};

struct NodeContext {
    dvbemu::EmulatedAdapter* adapter;
    Node node;
    DvrPacer* pacer;
};

// The ioctl's argument structure, copied from the caller and written back.
template <typename T>
T* Resolve(UMockdevIoctlClient* client, bool load = true)
{
    GError* error = nullptr;
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData* data = umockdev_ioctl_data_resolve(arg, 0, sizeof(T), &error);
    (void)load;
    if (!data) {
        if (error) g_error_free(error);
        return nullptr;
    }
    return reinterpret_cast<T*>(data->data);
}

unsigned long Value(UMockdevIoctlClient* client)
{
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    unsigned long value = 0;
    std::memcpy(&value, arg->data, sizeof value);
    return value;
}

int Frontend(dvbemu::EmulatedAdapter& a, UMockdevIoctlClient* client, unsigned long request)
{
    switch (request) {
    case FE_GET_INFO: {
        auto* info = Resolve<dvb_frontend_info>(client);
        return info ? a.GetInfo(info) : EFAULT;
    }
    case FE_SET_PROPERTY:
    case FE_GET_PROPERTY: {
        auto* list = Resolve<dtv_properties>(client);
        if (!list) return EFAULT;
        if (list->num == 0 || list->num > DTV_IOCTL_MAX_MSGS) return EINVAL;
        GError* error = nullptr;
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        UMockdevIoctlData* outer = umockdev_ioctl_data_resolve(arg, 0, sizeof(dtv_properties), &error);
        UMockdevIoctlData* inner = outer ? umockdev_ioctl_data_resolve(outer, offsetof(dtv_properties, props),
                                                                       list->num * sizeof(dtv_property), &error)
                                         : nullptr;
        if (!inner) {
            if (error) g_error_free(error);
            return EFAULT;
        }
        auto* props = reinterpret_cast<dtv_property*>(inner->data);
        return request == FE_SET_PROPERTY ? a.SetProperties(props, list->num) : a.GetProperties(props, list->num);
    }
    case FE_READ_STATUS: {
        auto* status = Resolve<fe_status_t>(client);
        return status ? a.ReadStatus(status) : EFAULT;
    }
    case FE_SET_VOLTAGE:
        return a.SetVoltage(Value(client));
    case FE_SET_TONE:
        return a.SetTone(Value(client));
    case FE_ENABLE_HIGH_LNB_VOLTAGE:
    case FE_SET_FRONTEND_TUNE_MODE:
        return a.DemuxOther(request == FE_SET_FRONTEND_TUNE_MODE ? "FE_SET_FRONTEND_TUNE_MODE"
                                                                 : "FE_ENABLE_HIGH_LNB_VOLTAGE");
    case FE_DISEQC_SEND_MASTER_CMD: {
        auto* command = Resolve<dvb_diseqc_master_cmd>(client);
        return command ? a.SendMasterCommand(*command) : EFAULT;
    }
    case FE_DISEQC_SEND_BURST:
        return a.SendBurst(Value(client));
    case FE_READ_SIGNAL_STRENGTH:
    case FE_READ_SNR: {
        auto* value = Resolve<std::uint16_t>(client);
        std::uint32_t v = 0;
        const int r = a.ReadLegacy(request == FE_READ_SNR ? "FE_READ_SNR" : "FE_READ_SIGNAL_STRENGTH", &v);
        if (value) *value = static_cast<std::uint16_t>(v);
        return value ? r : EFAULT;
    }
    case FE_READ_BER:
    case FE_READ_UNCORRECTED_BLOCKS: {
        auto* value = Resolve<std::uint32_t>(client);
        const int r = a.ReadLegacy(request == FE_READ_BER ? "FE_READ_BER" : "FE_READ_UNCORRECTED_BLOCKS", value);
        return value ? r : EFAULT;
    }
    default:
        return a.Unknown("frontend", request);
    }
}

int Demux(dvbemu::EmulatedAdapter& a, UMockdevIoctlClient* client, unsigned long request)
{
    switch (request) {
    case DMX_SET_PES_FILTER: {
        auto* filter = Resolve<dmx_pes_filter_params>(client);
        if (!filter) return EFAULT;
        const int r = a.DemuxPesFilter(filter->pid, filter->output);
        if (r == 0 && (filter->flags & DMX_IMMEDIATE_START)) return a.DemuxStart();
        return r;
    }
    case DMX_START:
        return a.DemuxStart();
    case DMX_STOP:
        return a.DemuxStop();
    case DMX_SET_BUFFER_SIZE:
        return a.DemuxBufferSize(Value(client));
    case DMX_ADD_PID:
        return a.DemuxOther("DMX_ADD_PID");
    case DMX_REMOVE_PID:
        return a.DemuxOther("DMX_REMOVE_PID");
    case DMX_SET_FILTER:
        return a.DemuxOther("DMX_SET_FILTER");
    default:
        return a.Unknown("demux", request);
    }
}

gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer user)
{
    auto* context = static_cast<NodeContext*>(user);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    int error = 0;
    switch (context->node) {
    case Node::Frontend:
        error = Frontend(*context->adapter, client, request);
        break;
    case Node::Demux:
        error = Demux(*context->adapter, client, request);
        break;
    case Node::Dvr:
        error = request == DMX_SET_BUFFER_SIZE ? context->adapter->DemuxBufferSize(Value(client))
                                               : context->adapter->Unknown("dvr", request);
        break;
    }
    umockdev_ioctl_client_complete(client, error ? -1 : 0, error);
    return TRUE;
}

gboolean OnRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer user)
{
    auto* context = static_cast<NodeContext*>(user);
    if (context->node != Node::Dvr) {
        // Frontend and demux reads (section data) carry nothing here.
        umockdev_ioctl_client_complete(client, -1, context->adapter->Gone() ? ENODEV : EAGAIN);
        return TRUE;
    }
    context->pacer->Add(client);
    return TRUE;
}

std::filesystem::path OwnFolder()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : exe.parent_path();
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: kavro-dvb-emulator [--journal FILE] WORLD -- COMMAND [ARG...]\n"
                 "  WORLD: a world file, or \"default\" for the embedded world\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // The testbed works on the paths its preload library redirects, in this
    // process as in the command's: start again with it.
    const char* preload = std::getenv("LD_PRELOAD");
    if (!preload || !std::strstr(preload, "libumockdev-preload")) {
        const std::string withPreload =
            std::string("libumockdev-preload.so.0") + (preload && *preload ? std::string(":") + preload : "");
        setenv("LD_PRELOAD", withPreload.c_str(), 1);
        // AddressSanitizer builds refuse to start when a preloaded library
        // comes before their runtime; the preload only wraps system calls,
        // so the order does not matter to them. Other programs ignore this.
        const char* asan = std::getenv("ASAN_OPTIONS");
        const std::string asanOptions =
            (asan && *asan ? std::string(asan) + ":" : std::string()) + "verify_asan_link_order=0";
        setenv("ASAN_OPTIONS", asanOptions.c_str(), 1);
        execv("/proc/self/exe", argv);
        std::fprintf(stderr, "kavro-dvb-emulator: cannot restart with the umockdev preload: %s\n",
                     std::strerror(errno));
        return 2;
    }
    int at = 1;
    std::string journalPath;
    if (at + 1 < argc && std::strcmp(argv[at], "--journal") == 0) {
        journalPath = argv[at + 1];
        at += 2;
    }
    if (at + 2 >= argc || std::strcmp(argv[at + 1], "--") != 0) return Usage();
    const std::string worldArg = argv[at];
    char** command = argv + at + 2;
    if (!journalPath.empty()) {
        FILE* emptied = std::fopen(journalPath.c_str(), "w");
        if (!emptied) {
            std::fprintf(stderr, "kavro-dvb-emulator: %s cannot be written\n", journalPath.c_str());
            return 2;
        }
        std::fclose(emptied);
        JournalOpen(journalPath);
        g_journalToFile = JournalEnabled();
    }

    sim::World world;
    if (worldArg == "default") {
        world = sim::DefaultWorld();
    } else {
        std::string error;
        auto loaded = sim::LoadWorldFile(worldArg, &error);
        if (!loaded) {
            std::fprintf(stderr, "kavro-dvb-emulator: %s\n", error.c_str());
            return 2;
        }
        world = std::move(*loaded);
    }
    for (const std::string& warning : world.warnings)
        std::fprintf(stderr, "kavro-dvb-emulator: world: %s\n", warning.c_str());
    std::filesystem::path skyFolder(world.sky);
    if (skyFolder.is_relative()) skyFolder = OwnFolder() / skyFolder;
    std::vector<std::string> warnings;
    const sim::Sky sky = sim::Sky::Load(skyFolder, &warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "kavro-dvb-emulator: sky: %s\n", warning.c_str());
    const sim::SteadyClock clock;

    UMockdevTestbed* testbed = umockdev_testbed_new();
    std::vector<std::unique_ptr<dvbemu::EmulatedAdapter>> adapters;
    std::vector<std::unique_ptr<DvrPacer>> pacers;
    std::vector<std::unique_ptr<NodeContext>> contexts;
    std::vector<UMockdevIoctlBase*> handlers;
    for (std::size_t i = 0; i < world.tuners.size(); ++i) {
        const sim::TunerSpec& spec = world.tuners[i];
        const std::string n = std::to_string(i);
        adapters.push_back(std::make_unique<dvbemu::EmulatedAdapter>(static_cast<int>(i), sky, world.CableOf(spec),
                                                                     world.site, clock, &JournalLine));
        pacers.push_back(std::make_unique<DvrPacer>(*adapters.back()));
        // The bus device the adapter hangs on: libdvbv5 reads its bus from it.
        const bool usb = spec.kind == sim::TunerKind::Usb;
        gchar* parent = usb
            ? umockdev_testbed_add_device(testbed, "usb", ("1-" + n).c_str(), nullptr, "idVendor", "1d19", "idProduct",
                                          "0100", "busnum", "1", "devnum", "2", "product", "Emulated DVB-S2 stick",
                                          nullptr, "DEVTYPE", "usb_device", nullptr)
            : umockdev_testbed_add_device(testbed, "pci", ("0000:0" + n + ":00.0").c_str(), nullptr, "vendor", "0x1d19",
                                          "device", "0x0100", nullptr, "PCI_SLOT_NAME",
                                          ("0000:0" + n + ":00.0").c_str(), nullptr);
        const struct {
            const char* type;
            Node node;
            int minor;
        } nodes[] = {{"frontend", Node::Frontend, 0}, {"demux", Node::Demux, 4}, {"dvr", Node::Dvr, 5}};
        for (const auto& node : nodes) {
            const std::string devname = "/dev/dvb/adapter" + n + "/" + node.type + "0";
            const std::string minor = "212:" + std::to_string(static_cast<int>(i) * 64 + node.minor);
            gchar* syspath =
                umockdev_testbed_add_device(testbed, "dvb", ("dvb" + n + "." + node.type + "0").c_str(), parent, "dev",
                                            minor.c_str(), nullptr, "DEVNAME", devname.c_str(), "DVB_ADAPTER_NUM",
                                            n.c_str(), "DVB_DEVICE_TYPE", node.type, "DVB_DEVICE_NUM", "0", nullptr);
            g_free(syspath);
            // The node itself: the testbed keeps its device number apart and
            // the preload answers a stat of it as that character device.
            gchar* root = umockdev_testbed_get_root_dir(testbed);
            const std::filesystem::path file = std::filesystem::path(root) / devname.substr(1);
            g_free(root);
            std::filesystem::create_directories(file.parent_path());
            if (FILE* created = std::fopen(file.c_str(), "a")) std::fclose(created);
            UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
            contexts.push_back(
                std::make_unique<NodeContext>(NodeContext{adapters.back().get(), node.node, pacers.back().get()}));
            g_signal_connect(handler, "handle-ioctl", G_CALLBACK(OnIoctl), contexts.back().get());
            g_signal_connect(handler, "handle-read", G_CALLBACK(OnRead), contexts.back().get());
            GError* error = nullptr;
            if (!umockdev_testbed_attach_ioctl(testbed, devname.c_str(), handler, &error)) {
                std::fprintf(stderr, "kavro-dvb-emulator: %s cannot be emulated: %s\n", devname.c_str(),
                             error ? error->message : "?");
                return 2;
            }
            handlers.push_back(handler);
        }
        g_free(parent);
        JournalLine("dvb adapter" + n + " " + (usb ? "usb" : "pci") + " " + dvbemu::kDriverName);
    }

    // The world's removal time unplugs every adapter, as pulling the card does.
    std::atomic<bool> finished{false};
    std::thread remover;
    if (world.deviceRemovalAfterMs > 0) {
        remover = std::thread([&] {
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(world.deviceRemovalAfterMs);
            while (!finished && std::chrono::steady_clock::now() < until) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (!finished) {
                for (auto& adapter : adapters) adapter->Remove();
            }
        });
    }

    // The command runs with the testbed's preload (inherited); its status is ours.
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    int status = 0;
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        std::fprintf(stderr, "kavro-dvb-emulator: %s cannot be started: %s\n", command[0], std::strerror(errno));
        _exit(127);
    }
    if (child < 0) return 2;
    std::thread waiter([&] {
        waitpid(child, &status, 0);
        g_main_loop_quit(loop);
    });
    g_main_loop_run(loop);
    waiter.join();
    finished = true;
    if (remover.joinable()) remover.join();
    pacers.clear();
    g_main_loop_unref(loop);
    JournalClose();
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
}
