#include "transmitter/HidapiBackend.h"

#include "transmitter/ReportDescriptor.h"

#include <QFileInfo>

#include <hidapi/hidapi.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel's own limit for a report descriptor is 4096 bytes; anything longer is not one.
constexpr std::size_t MaxDescriptorBytes = 65536;

QString fromWide(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

QString canonicalPath(const QString& path)
{
    char* resolved = ::realpath(QFile::encodeName(path).constData(), nullptr);
    if (!resolved)
        return QString();
    const QString result = QFile::decodeName(resolved);
    std::free(resolved);
    return result;
}

} // namespace

HidapiBackend::HidapiBackend(QString sysfsRoot) : m_sysfsRoot(std::move(sysfsRoot))
{
    hid_init();
}

HidapiBackend::~HidapiBackend()
{
    for (auto& [identity, handle] : m_handles)
        hid_close(handle);
    m_handles.clear();
    hid_exit();
}

QString HidapiBackend::hidrawSysfsDir(const QString& devicePath) const
{
    const QString node = QFileInfo(devicePath).fileName();
    if (!node.startsWith(QLatin1String("hidraw")))
        return QString();
    return canonicalPath(m_sysfsRoot + QStringLiteral("/class/hidraw/") + node);
}

QString HidapiBackend::identityOf(const QString& devicePath) const
{
    const QString sysfs = hidrawSysfsDir(devicePath);
    if (!sysfs.isEmpty())
        return sysfs;
    struct stat st {};
    if (::stat(QFile::encodeName(devicePath).constData(), &st) != 0)
        return QString();
    return QStringLiteral("%1#%2:%3.%4")
        .arg(devicePath)
        .arg(qulonglong(st.st_ino))
        .arg(qlonglong(st.st_ctim.tv_sec))
        .arg(qlonglong(st.st_ctim.tv_nsec));
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate()
{
    std::vector<HidDeviceInfo> list;
    std::map<QString, Known> known;
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* d = all; d; d = d->next) {
        if (!d->path)
            continue;
        HidDeviceInfo info;
        info.path = QFile::decodeName(d->path);
        Known k;
        k.sysfsDir = hidrawSysfsDir(info.path);
        info.identity = k.sysfsDir.isEmpty() ? identityOf(info.path) : k.sysfsDir;
        // hidapi lists a device once per top-level collection; the program wants it once.
        if (info.identity.isEmpty() || known.count(info.identity))
            continue;
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.version = d->release_number;
        // The strings come from sysfs (the USB device's attributes, or the HID name
        // and unique id of a virtual device), so they need no access to the device.
        k.product = fromWide(d->product_string);
        k.serial = fromWide(d->serial_number);
        known.emplace(info.identity, std::move(k));
        list.push_back(std::move(info));
    }
    hid_free_enumeration(all);
    m_known = std::move(known);
    return list;
}

std::optional<QString> HidapiBackend::productString(const HidDeviceInfo& device)
{
    const auto it = m_known.find(device.identity);
    if (it == m_known.end())
        return std::nullopt;
    return it->second.product;
}

std::optional<QString> HidapiBackend::serialNumber(const HidDeviceInfo& device)
{
    const auto it = m_known.find(device.identity);
    if (it == m_known.end())
        return std::nullopt;
    return it->second.serial;
}

std::optional<std::vector<std::uint8_t>> HidapiBackend::readReportDescriptor(const QString& hidrawSysfsDir)
{
    const QByteArray path = QFile::encodeName(hidrawSysfsDir + QStringLiteral("/device/report_descriptor"));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || bytes.size() + std::size_t(n) > MaxDescriptorBytes) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return bytes;
}

std::optional<int> HidapiBackend::featureReportLength(const HidDeviceInfo& device)
{
    const auto it = m_known.find(device.identity);
    if (it == m_known.end() || it->second.sysfsDir.isEmpty())
        return std::nullopt;
    const auto descriptor = readReportDescriptor(it->second.sysfsDir);
    if (!descriptor)
        return std::nullopt;
    return ReportDescriptor::featureReportByteLength(*descriptor);
}

bool HidapiBackend::sendFeatureReport(const HidDeviceInfo& device, const std::uint8_t* data, int length,
                                      int& error)
{
    if (!data || length < 0) {
        error = EINVAL;
        return false;
    }
    auto it = m_handles.find(device.identity);
    if (it == m_handles.end()) {
        // The node may meanwhile belong to another device; never send to that one.
        if (identityOf(device.path) != device.identity) {
            error = ENODEV;
            return false;
        }
        const QByteArray path = QFile::encodeName(device.path);
        // Try the node ourselves first: that gives the exact errno of a refused open
        // (EACCES without the udev rule) at once, where hidapi would retry it for a
        // while, and hidapi only ever sees character devices (its clean-up after a
        // failed descriptor query on other nodes is not safe).
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            error = errno ? errno : EIO;
            return false;
        }
        struct stat st {};
        const bool isDevice = ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode);
        ::close(fd);
        if (!isDevice) {
            error = ENODEV;
            return false;
        }
        errno = 0;
        hid_device* handle = hid_open_path(path.constData());
        if (!handle) {
            error = errno ? errno : EIO;
            return false;
        }
        it = m_handles.emplace(device.identity, handle).first;
    }
    errno = 0;
    if (hid_send_feature_report(it->second, data, std::size_t(length)) >= 0)
        return true;
    error = errno ? errno : EIO;
    // A fresh open at the next send checks again that the node is still this device.
    hid_close(it->second);
    m_handles.erase(it);
    return false;
}

void HidapiBackend::close(const HidDeviceInfo& device)
{
    const auto it = m_handles.find(device.identity);
    if (it == m_handles.end())
        return;
    hid_close(it->second);
    m_handles.erase(it);
}
