// A fake ORVANTA RGB keyboard at the hidapi boundary, for tests.
//
// Loaded with LD_PRELOAD (by absolute path), it answers the calls the console
// makes (and hid_open, hid_error and the version): a call added to the console
// must be added here too, or it reaches the real library with a fake handle.
//
// Environment:
//   ORVANTA_FAKEHID_DEVICES   comma-separated interfaces to present, in order:
//                             keyboard (vendor + consumer + boot keyboard, the default),
//                             vendor, consumer, boot, foreign (another product of
//                             the vendor), other (another vendor), none
//   ORVANTA_FAKEHID_LOG       file to which each accepted feature report is appended:
//                             "<monotonic ms> <path> <length> <hex bytes>"
//   ORVANTA_FAKEHID_FAIL_SEND 1: every feature report is refused
//   ORVANTA_FAKEHID_FAIL_AFTER N: the keyboard vanishes after N accepted reports
//   ORVANTA_FAKEHID_OPEN      deny: opening any interface fails with EACCES
//   ORVANTA_FAKEHID_PLUGGED   a file name: the interfaces are there only while
//                             that file exists, so a test plugs the keyboard in
//                             and out at run time; reports sent meanwhile fail

#include <hidapi/hidapi.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwchar>
#include <string>
#include <unistd.h>
#include <vector>

struct hid_device_ {
    std::string path;
    int kind;
};

namespace
{

enum Kind { Vendor, Consumer, Boot, Foreign, Other };

struct Iface {
    Kind kind;
    unsigned short vid, pid, page, usage;
    int number;
};

long g_accepted = 0;
bool g_initialised = false;

bool plugged()
{
    const char *file = std::getenv("ORVANTA_FAKEHID_PLUGGED");
    return !file || !*file || access(file, F_OK) == 0;
}

std::vector<Iface> presented()
{
    if (!plugged())
        return {};
    static const Iface vendor{Vendor, 0x264A, 0x3006, 0xFF01, 1, 2},
        consumer{Consumer, 0x264A, 0x3006, 0x0C, 1, 1}, boot{Boot, 0x264A, 0x3006, 0x01, 6, 0},
        foreign{Foreign, 0x264A, 0x1234, 0xFF01, 1, 2}, other{Other, 0x1111, 0x2222, 0xFF01, 1, 0};
    const char *env = std::getenv("ORVANTA_FAKEHID_DEVICES");
    std::string wanted = std::string(env ? env : "keyboard") + ',';
    std::vector<Iface> out;
    for (size_t start = 0, end; (end = wanted.find(',', start)) != std::string::npos;
         start = end + 1) {
        const std::string t = wanted.substr(start, end - start);
        if (t == "keyboard")
            out.insert(out.end(), {consumer, boot, vendor});
        for (const auto &[name, i] : {std::pair{"vendor", vendor},
                                      {"consumer", consumer},
                                      {"boot", boot},
                                      {"foreign", foreign},
                                      {"other", other}})
            if (t == name)
                out.push_back(i);
    }
    return out;
}

std::string pathOf(size_t index)
{
    return "/dev/fake-hidraw" + std::to_string(index);
}

wchar_t *wdup(const wchar_t *s)
{
    const size_t n = std::wcslen(s) + 1;
    return std::wmemcpy(static_cast<wchar_t *>(std::malloc(n * sizeof(wchar_t))), s, n);
}

long long monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

void logReport(const hid_device *dev, const unsigned char *data, size_t length)
{
    const char *file = std::getenv("ORVANTA_FAKEHID_LOG");
    if (!file || !*file)
        return;
    FILE *f = std::fopen(file, "a");
    if (!f)
        return;
    std::fprintf(f, "%lld %s %zu ", monotonicMs(), dev->path.c_str(), length);
    for (size_t i = 0; i < length; ++i)
        std::fprintf(f, "%02x", data[i]);
    std::fputc('\n', f);
    std::fclose(f);
}

hid_device_info *makeInfo(const Iface &i, size_t index)
{
    auto *d = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    *d = {strdup(pathOf(index).c_str()),
          i.vid,
          i.pid,
          wdup(L"FAKE0001"),
          0x0100,
          wdup(L"Fake"),
          wdup(i.kind == Foreign ? L"Fake other product" : L"ORVANTA RGB"),
          i.page,
          i.usage,
          i.number,
          nullptr,
          HID_API_BUS_USB};
    return d;
}

} // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    g_initialised = true;
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    g_initialised = false;
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    const std::vector<Iface> all = presented();
    hid_device_info *head = nullptr, *tail = nullptr;
    for (size_t i = 0; i < all.size(); ++i) {
        if ((vendor_id && all[i].vid != vendor_id) || (product_id && all[i].pid != product_id))
            continue;
        hid_device_info *d = makeInfo(all[i], i);
        if (tail)
            tail->next = d;
        else
            head = d;
        tail = d;
    }
    return head;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    const char *open = std::getenv("ORVANTA_FAKEHID_OPEN");
    if (open && std::strcmp(open, "deny") == 0) {
        errno = EACCES;
        return nullptr;
    }
    const std::vector<Iface> all = presented();
    for (size_t i = 0; i < all.size(); ++i) {
        if (pathOf(i) == path)
            return new hid_device_{path, all[i].kind};
    }
    errno = ENOENT;
    return nullptr;
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id,
                                                 unsigned short product_id, const wchar_t *)
{
    hid_device_info *list = hid_enumerate(vendor_id, product_id);
    hid_device *dev = list ? hid_open_path(list->path) : nullptr;
    hid_free_enumeration(list);
    return dev;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data,
                                                        size_t length)
{
    if (!dev || !data)
        return -1;
    const char *fail = std::getenv("ORVANTA_FAKEHID_FAIL_SEND");
    const char *after = std::getenv("ORVANTA_FAKEHID_FAIL_AFTER");
    if ((fail && std::strcmp(fail, "1") == 0) || !plugged() ||
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

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *dev)
{
    return dev ? nullptr : L"fake keyboard: not opened";
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void)
{
    static const hid_api_version v{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                   HID_API_VERSION_PATCH};
    return &v;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"
