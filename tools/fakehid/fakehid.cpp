// A fake ORVANTA RGB keyboard at the hidapi boundary, for tests.
//
// Loaded with LD_PRELOAD (by absolute path), it answers every hidapi call the
// console makes: a call added to the console must be added here too, or it
// reaches the real library with a fake handle. The interfaces carry no texts
// (serial number, maker, product): the console reads none.
//
// Environment: ORVANTA_FAKEHID_DEVICES, comma-separated interfaces in order:
// keyboard (consumer + boot keyboard + vendor, the default), vendor, consumer,
// boot, foreign (another product of the vendor), none;
// _LOG, a file to which each accepted report is appended as "<monotonic ms>
// <path> <length> <hex bytes>"; _FAIL_SEND=1, every report is refused;
// _FAIL_AFTER=N, the keyboard vanishes after N reports; _OPEN=deny, opening
// fails with EACCES; _PLUGGED, a file name: the interfaces are there only while
// it exists, so a test plugs the keyboard in and out; reports meanwhile fail.

#include <hidapi/hidapi.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

struct hid_device_ {
    std::string path;
};

namespace
{

struct Iface {
    const char *name;
    unsigned short pid, page, usage;
    int number;
};

long g_accepted = 0;

const char *env(const char *name)
{
    const char *v = std::getenv(name);
    return v && *v ? v : nullptr;
}

bool plugged()
{
    const char *file = env("ORVANTA_FAKEHID_PLUGGED");
    return !file || access(file, F_OK) == 0;
}

// The interfaces present, in order; each one's path is "/dev/fake-hidraw<index>".
std::vector<Iface> presented()
{
    static const Iface all[] = {{"consumer", 0x3006, 0x0C, 1, 1},
                                {"boot", 0x3006, 0x01, 6, 0},
                                {"vendor", 0x3006, 0xFF01, 1, 2},
                                {"foreign", 0x1234, 0xFF01, 1, 2}};
    std::vector<Iface> out;
    const char *wanted = std::getenv("ORVANTA_FAKEHID_DEVICES");
    const std::string list = std::string(wanted ? wanted : "keyboard") + ',';
    for (size_t start = 0, end; plugged() && (end = list.find(',', start)) != std::string::npos;
         start = end + 1) {
        const std::string t = list.substr(start, end - start);
        if (t == "keyboard")
            out.insert(out.end(), all, all + 3);
        for (const Iface &i : all)
            if (t == i.name)
                out.push_back(i);
    }
    return out;
}

std::string pathOf(size_t index)
{
    return "/dev/fake-hidraw" + std::to_string(index);
}

void logReport(const hid_device *dev, const unsigned char *data, size_t length)
{
    const char *file = env("ORVANTA_FAKEHID_LOG");
    FILE *f = file ? std::fopen(file, "a") : nullptr;
    if (!f)
        return;
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    std::fprintf(f, "%lld %s %zu ", (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000,
                 dev->path.c_str(), length);
    for (size_t i = 0; i < length; ++i)
        std::fprintf(f, "%02x", data[i]);
    std::fputc('\n', f);
    std::fclose(f);
}

} // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    const std::vector<Iface> all = presented();
    hid_device_info *head = nullptr, **tail = &head;
    for (size_t i = 0; i < all.size(); ++i) {
        const Iface &f = all[i];
        if ((vendor_id && vendor_id != 0x264A) || (product_id && f.pid != product_id))
            continue;
        auto *d = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        *d = {strdup(pathOf(i).c_str()), 0x264A, f.pid, nullptr, 0x0100, nullptr, nullptr,
              f.page, f.usage, f.number, nullptr, HID_API_BUS_USB};
        *tail = d;
        tail = &d->next;
    }
    return head;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (hid_device_info *d = devs) {
        devs = d->next;
        std::free(d->path);
        std::free(d);
    }
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    const char *open = env("ORVANTA_FAKEHID_OPEN");
    if (open && std::strcmp(open, "deny") == 0) {
        errno = EACCES;
        return nullptr;
    }
    for (size_t i = 0; i < presented().size(); ++i)
        if (pathOf(i) == path)
            return new hid_device_{path};
    errno = ENOENT;
    return nullptr;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data,
                                                        size_t length)
{
    const char *fail = env("ORVANTA_FAKEHID_FAIL_SEND");
    const char *after = env("ORVANTA_FAKEHID_FAIL_AFTER");
    if (!dev || !data || (fail && std::strcmp(fail, "1") == 0) || !plugged() ||
        (after && g_accepted >= std::atol(after)))
        return -1;
    ++g_accepted;
    logReport(dev, data, length);
    return int(length);
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    delete dev;
}

} // extern "C"
