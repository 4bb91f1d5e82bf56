#include "tests/support/TestRegistry.h"
#include "transmitter/HidapiBackend.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes transmitterDescriptor{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                  0x75, 0x08, 0x95, 0x06, 0x09, 0x00, 0xB2, 0x02, 0x01, 0xC0};

// A miniature sysfs as the kernel lays it out for a virtual (uhid) HID device:
// class/hidraw/hidrawN links to the hidraw class device below the HID device, whose
// name carries the kernel's sequence number, and hidrawN/device links back up to it.
struct FakeSysfs {
    QTemporaryDir dir;

    QString root() const { return dir.path(); }

    QString plug(int node, int sequence, const Bytes& descriptor)
    {
        const QString hid = QStringLiteral("devices/virtual/misc/uhid/0003:16C0:05DF.%1")
                                .arg(QString::number(sequence, 16).toUpper().rightJustified(4, QLatin1Char('0')));
        const QString name = QStringLiteral("hidraw%1").arg(node);
        QDir base(root());
        base.mkpath(hid + QStringLiteral("/hidraw/") + name);
        base.mkpath(QStringLiteral("class/hidraw"));
        QFile file(root() + QLatin1Char('/') + hid + QStringLiteral("/report_descriptor"));
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(reinterpret_cast<const char*>(descriptor.data()), qint64(descriptor.size()));
        file.close();
        QFile::link(QStringLiteral("../.."), root() + QLatin1Char('/') + hid + QStringLiteral("/hidraw/") + name +
                                                 QStringLiteral("/device"));
        const QString link = root() + QStringLiteral("/class/hidraw/") + name;
        QFile::remove(link);
        QFile::link(QStringLiteral("../../") + hid + QStringLiteral("/hidraw/") + name, link);
        return QDir(root() + QLatin1Char('/') + hid + QStringLiteral("/hidraw/") + name).canonicalPath();
    }
};

} // namespace

class TestHidapiBackend : public QObject {
    Q_OBJECT
private slots:
    void identityChangesOnReplugToSameNode();
    void identityWithoutSysfs();
    void readsReportDescriptorFromSysfs();
    void sendToUnknownDeviceFails();
    void nodeThatIsNoDeviceIsRefused();
    void refusedOpenGivesPermissionDenied();
    void realHidrawDevices();
};

void TestHidapiBackend::identityChangesOnReplugToSameNode()
{
    FakeSysfs sysfs;
    QVERIFY(sysfs.dir.isValid());
    HidapiBackend backend(sysfs.root());
    const QString before = sysfs.plug(3, 7, transmitterDescriptor);
    QVERIFY(!before.isEmpty());
    QCOMPARE(backend.identityOf(QStringLiteral("/dev/hidraw3")), before);
    QVERIFY(before.endsWith(QStringLiteral("/0003:16C0:05DF.0007/hidraw/hidraw3")));

    // Unplugged, plugged again: the kernel gives the same node, but a new HID device.
    QVERIFY(QDir(sysfs.root() + QStringLiteral("/devices/virtual/misc/uhid/0003:16C0:05DF.0007")).removeRecursively());
    QCOMPARE(backend.identityOf(QStringLiteral("/dev/hidraw3")), QString());
    const QString after = sysfs.plug(3, 8, transmitterDescriptor);
    QCOMPARE(backend.identityOf(QStringLiteral("/dev/hidraw3")), after);
    QVERIFY(after != before);
}

void TestHidapiBackend::identityWithoutSysfs()
{
    QTemporaryDir dir;
    HidapiBackend backend(dir.path() + QStringLiteral("/nothing"));
    const QString node = dir.path() + QStringLiteral("/hidraw5");
    QCOMPARE(backend.identityOf(node), QString());  // no node, no identity
    QFile file(node);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString identity = backend.identityOf(node);
    QVERIFY(identity.startsWith(node + QLatin1Char('#')));
    QCOMPARE(backend.identityOf(node), identity);
}

void TestHidapiBackend::readsReportDescriptorFromSysfs()
{
    FakeSysfs sysfs;
    const QString dir = sysfs.plug(0, 1, transmitterDescriptor);
    QCOMPARE(HidapiBackend::readReportDescriptor(dir), std::optional<Bytes>(transmitterDescriptor));
    QCOMPARE(HidapiBackend::readReportDescriptor(sysfs.root() + QStringLiteral("/missing")), std::nullopt);
}

void TestHidapiBackend::sendToUnknownDeviceFails()
{
    QTemporaryDir dir;
    HidapiBackend backend(dir.path());
    HidDeviceInfo info;
    info.path = dir.path() + QStringLiteral("/hidraw9");
    info.identity = QStringLiteral("gone");
    const Bytes report{0x00, 0x10, 0x89, 0xC8, 0x00, 0x00, 0x00};
    int error = 0;
    QVERIFY(!backend.sendFeatureReport(info, report.data(), int(report.size()), error));
    QCOMPARE(error, ENODEV);
    QCOMPARE(backend.productString(info), std::nullopt);
    QCOMPARE(backend.serialNumber(info), std::nullopt);
    QCOMPARE(backend.featureReportLength(info), std::nullopt);
}

void TestHidapiBackend::nodeThatIsNoDeviceIsRefused()
{
    // A path that opens but is no character device never reaches hidapi.
    QTemporaryDir dir;
    HidapiBackend backend(dir.path() + QStringLiteral("/nothing"));
    HidDeviceInfo info;
    info.path = dir.path() + QStringLiteral("/hidraw7");
    QFile file(info.path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    info.identity = backend.identityOf(info.path);
    const Bytes report{0x00, 0x0E, 0xE0, 0x48, 0x00, 0x00, 0x00};
    int error = 0;
    QVERIFY(!backend.sendFeatureReport(info, report.data(), int(report.size()), error));
    QCOMPARE(error, ENODEV);
    error = 0;
    QVERIFY(!backend.sendFeatureReport(info, nullptr, 7, error));
    QCOMPARE(error, EINVAL);
    backend.close(info);
}

void TestHidapiBackend::refusedOpenGivesPermissionDenied()
{
    QTemporaryDir dir;
    HidapiBackend backend(dir.path() + QStringLiteral("/nothing"));
    HidDeviceInfo info;
    info.path = dir.path() + QStringLiteral("/hidraw8");
    QFile file(info.path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::Permissions()));
    if (QFile(info.path).open(QIODevice::ReadWrite))
        QSKIP("running with the right to open any file (root); a refused open cannot be staged");
    info.identity = backend.identityOf(info.path);
    const Bytes report{0x00, 0x0E, 0xE0, 0x48, 0x00, 0x00, 0x00};
    int error = 0;
    QVERIFY(!backend.sendFeatureReport(info, report.data(), int(report.size()), error));
    QCOMPARE(error, EACCES);
}

void TestHidapiBackend::realHidrawDevices()
{
    if (QDir(QStringLiteral("/sys/class/hidraw")).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System).isEmpty())
        QSKIP("no hidraw device on this machine (/sys/class/hidraw is empty)");
    HidapiBackend backend;
    const auto devices = backend.enumerate();
    QVERIFY(!devices.empty());
    QStringList identities;
    for (const HidDeviceInfo& d : devices) {
        QVERIFY2(d.path.startsWith(QStringLiteral("/dev/hidraw")), qPrintable(d.path));
        QVERIFY2(!identities.contains(d.identity), qPrintable(d.identity));
        identities << d.identity;
        QCOMPARE(backend.identityOf(d.path), d.identity);
        QVERIFY(backend.productString(d).has_value());
        QVERIFY(backend.serialNumber(d).has_value());
        const auto length = backend.featureReportLength(d);
        QVERIFY(length.has_value());
        QVERIFY(*length >= 0);
    }
    // Enumerating again yields the same identities.
    QStringList again;
    for (const HidDeviceInfo& d : backend.enumerate())
        again << d.identity;
    QCOMPARE(again, identities);
}

TINTARO_REGISTER_TEST(TestHidapiBackend);
#include "tst_hidapibackend.moc"
