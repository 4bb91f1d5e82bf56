// Runs inside the VM (see run-vm-test.sh), where the kernel presents virtual HID devices
// through uhid. It drives the program's real HID path: hidapi over hidraw, the report
// descriptor from sysfs, the udev monitor on raw kernel events, the device controller,
// the transmitter discovery and the send operations.
//
// The slots form one scenario and run in the order written: each starts from the state
// the previous one left (which devices exist, which one the program has taken).
#include "HexReports.h"
#include "VirtualTransmitter.h"

#include "transmitter/HidDevice.h"
#include "transmitter/HidDeviceController.h"
#include "transmitter/HidapiBackend.h"
#include "transmitter/Transmitter.h"
#include "transmitter/TransmitterDiscovery.h"
#include "transmitter/UdevWatcher.h"

#include <QSignalSpy>
#include <QtTest>

#include <hidapi.h>

#include <cerrno>
#include <chrono>
#include <memory>

using namespace std::chrono_literals;
using Bytes = VirtualTransmitter::Bytes;
using Reports = std::vector<Bytes>;

namespace {

constexpr int EventTimeoutMs = 10000;  // udev events take milliseconds; TCG on a busy host is slow
const QString NoTransmitter = QStringLiteral("USB-Gerätename: ");
const QString Taken = QStringLiteral("USB-Gerätename: RU5-Dadezuviriz");

enum class Send { Standard, Extended };

} // namespace

Q_DECLARE_METATYPE(Send)

class TestVmInner : public QObject {
    Q_OBJECT
private slots:
    void kernelPresentsTheTransmitterToHidapi();
    void startsWithoutTransmitter();
    void foreignDevicesAreNotTaken_data();
    void foreignDevicesAreNotTaken();
    void transmitterIsTakenWhenItAppears();
    void framesArriveByteForByte_data();
    void framesArriveByteForByte();
    void pacedFrameArrivesRepeatCountTimes();
    void refusedReportShowsTheErrorText();
    void removalLetsTheTransmitterGo();
    void replugMakesANewDeviceObject();
    void unpluggedTransmitterStaysInUseWhileAnotherCarriesItsName();
    void cleanupTestCase();

private:
    // Sends one frame of the given kind.
    void send(Send kind, bool toggle, int address, int value);
    // Waits until the controller has handled an event after `before` events.
    bool waitForDeviceChange(qsizetype before);
    // The plugged-in device object with this serial number, or none.
    THidDevice* deviceOf(const QString& serial);

    std::unique_ptr<HidapiBackend> m_backend;
    std::unique_ptr<UdevWatcher> m_watcher;
    std::unique_ptr<THidDeviceController> m_controller;
    std::unique_ptr<Transmitter> m_transmitter;
    std::unique_ptr<TransmitterDiscovery> m_discovery;
    std::unique_ptr<QSignalSpy> m_deviceChanges;
    QString m_label = QStringLiteral("USB-Gerätename:");
    QString m_status;
    int m_statusCount = 0;
    std::vector<int> m_pauses;

    VirtualTransmitter m_device;          // the transmitter as it really is
    THidDevice* m_firstObject = nullptr;  // the program's object for its first plug
};

void TestVmInner::send(Send kind, bool toggle, int address, int value)
{
    if (kind == Send::Standard)
        m_transmitter->SendStandardFrame(toggle, address, value);
    else
        m_transmitter->Send16BitFrame(toggle, address, value);
}

bool TestVmInner::waitForDeviceChange(qsizetype before)
{
    return QTest::qWaitFor([&] { return m_deviceChanges->count() > before; }, EventTimeoutMs);
}

THidDevice* TestVmInner::deviceOf(const QString& serial)
{
    for (const auto& d : m_controller->devices())
        if (d->pluggedIn() && d->GetSerialNumber() == serial)
            return d.get();
    return nullptr;
}

void TestVmInner::kernelPresentsTheTransmitterToHidapi()
{
    // The facts the backend builds on, seen through plain hidapi before the program runs.
    VirtualTransmitter device;
    QCOMPARE(QString::fromStdString(device.create()), QString());
    QVERIFY(device.waitStarted(5s));

    struct Found {
        QString path, product, serial;
        int interface = 0;
    };
    const auto find = [] {
        Found found;
        hid_device_info* list = hid_enumerate(0x16C0, 0x05DF);
        if (list)
            found = {QString::fromUtf8(list->path), QString::fromWCharArray(list->product_string),
                     QString::fromWCharArray(list->serial_number), list->interface_number};
        hid_free_enumeration(list);
        return found;
    };
    Found found;
    QTRY_VERIFY_WITH_TIMEOUT(!(found = find()).path.isEmpty(), EventTimeoutMs);
    QCOMPARE(found.product, QStringLiteral("RU5-Dadezuviriz"));
    QCOMPARE(found.serial, QString());
    QCOMPARE(found.interface, -1);

    hid_device* handle = hid_open_path(found.path.toUtf8().constData());
    QVERIFY(handle);
    const Bytes report = {0x00, 0x0E, 0xE0, 0x48, 0x00, 0x00, 0x00, 0x00};
    QCOMPARE(hid_send_feature_report(handle, report.data(), report.size()), 8);
    hid_close(handle);
    QCOMPARE(hexOf(device.received()), hexOf(Reports{report}));

    device.destroy();
    QTRY_VERIFY_WITH_TIMEOUT(find().path.isEmpty(), EventTimeoutMs);
}

void TestVmInner::startsWithoutTransmitter()
{
    m_backend = std::make_unique<HidapiBackend>();
    m_watcher = std::make_unique<UdevWatcher>(QStringLiteral("kernel"));
    QVERIFY(m_watcher->monitoring());
    m_controller = std::make_unique<THidDeviceController>(*m_backend);
    m_transmitter = std::make_unique<Transmitter>();
    m_discovery = std::make_unique<TransmitterDiscovery>(*m_controller, *m_transmitter);
    m_deviceChanges = std::make_unique<QSignalSpy>(m_controller.get(), &THidDeviceController::deviceChange);
    connect(m_watcher.get(), &UdevWatcher::devicesChanged, m_controller.get(),
            &THidDeviceController::DeviceChangeNotification);
    connect(m_discovery.get(), &TransmitterDiscovery::labelChanged, this, [this](const QString& caption) {
        m_label = caption;
    });
    connect(m_transmitter.get(), &Transmitter::statusChanged, this, [this](const QString& text) {
        m_status = text;
        ++m_statusCount;
    });
    m_transmitter->setPause([this](int ms) { m_pauses.push_back(ms); });

    QCOMPARE(m_label, QStringLiteral("USB-Gerätename:"));
    QVERIFY(waitForDeviceChange(0));
    QCOMPARE(m_label, NoTransmitter);
    QCOMPARE(m_transmitter->device(), nullptr);

    m_transmitter->SendStandardFrame(true, 0, 18);
    QCOMPARE(m_statusCount, 0);
    QCOMPARE(m_status, QString());
}

void TestVmInner::foreignDevicesAreNotTaken_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("vendorId");
    QTest::addColumn<int>("productId");

    QTest::newRow("serial number") << "RU5-Dadezuviriz" << "A1B2" << 0x16C0 << 0x05DF;
    QTest::newRow("other case") << "ru5-dadezuviriz" << "" << 0x16C0 << 0x05DF;
    QTest::newRow("longer name") << "RU5-Dadezuviriz2" << "" << 0x16C0 << 0x05DF;
    QTest::newRow("other product id") << "RU5-Dadezuviriz" << "" << 0x16C0 << 0x05DE;
    QTest::newRow("other vendor id") << "RU5-Dadezuviriz" << "" << 0x16C1 << 0x05DF;
}

void TestVmInner::foreignDevicesAreNotTaken()
{
    QFETCH(QString, name);
    QFETCH(QString, serial);
    QFETCH(int, vendorId);
    QFETCH(int, productId);

    VirtualTransmitter foreign({name.toStdString(), serial.toStdString(), std::uint16_t(vendorId),
                                std::uint16_t(productId)});
    const qsizetype before = m_deviceChanges->count();
    QCOMPARE(QString::fromStdString(foreign.create()), QString());
    QVERIFY(waitForDeviceChange(before));

    // The controller saw it and the discovery examined it, without taking it.
    THidDevice* examined = m_controller->devices().back().get();
    QVERIFY(examined->pluggedIn());
    QVERIFY(examined->checkedOut());
    QCOMPARE(int(examined->vendorId()), vendorId);
    QCOMPARE(int(examined->productId()), productId);
    QCOMPARE(examined->GetProductName(), name);
    QCOMPARE(examined->GetSerialNumber(), serial);
    QCOMPARE(m_transmitter->device(), nullptr);
    QCOMPARE(m_label, NoTransmitter);

    m_transmitter->Send16BitFrame(false, 9, 200);
    QCOMPARE(hexOf(foreign.received()), hexOf(Reports{}));
    QCOMPARE(m_statusCount, 0);

    const qsizetype present = m_deviceChanges->count();
    foreign.destroy();
    QVERIFY(waitForDeviceChange(present));
    QVERIFY(!examined->pluggedIn());
}

void TestVmInner::transmitterIsTakenWhenItAppears()
{
    QCOMPARE(QString::fromStdString(m_device.create()), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_label, Taken, EventTimeoutMs);
    m_firstObject = m_transmitter->device();
    QVERIFY(m_firstObject);
    QCOMPARE(m_firstObject, m_controller->devices().back().get());
    QCOMPARE(m_firstObject->GetSerialNumber(), QString());
    // One 7-byte feature report and its report id byte, read from the descriptor.
    QCOMPARE(m_firstObject->GetCaps().FeatureReportByteLength, 8);
}

void TestVmInner::framesArriveByteForByte_data()
{
    QTest::addColumn<Send>("kind");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<Bytes>("report");
    QTest::addColumn<QString>("echo");

    QTest::newRow("Send RC5, toggle, address 0, command 18")
        << Send::Standard << true << 0 << 18 << Bytes{0x00, 0x0E, 0xE0, 0x48, 0x00, 0x00, 0x00, 0x00}
        << "RC5-Daten: 0E E0 48 ";
    QTest::newRow("Send RC5, address 31, command 63")
        << Send::Standard << false << 31 << 63 << Bytes{0x00, 0x0E, 0xDF, 0xFC, 0x00, 0x00, 0x00, 0x00}
        << "RC5-Daten: 0E DF FC ";
    QTest::newRow("16-bit, address 9, data 200")
        << Send::Extended << false << 9 << 200 << Bytes{0x00, 0x10, 0x89, 0xC8, 0x00, 0x00, 0x00, 0x00}
        << "RC5-Daten: 10 89 C8 ";
    QTest::newRow("16-bit, toggle, address 31, data 0")
        << Send::Extended << true << 31 << 0 << Bytes{0x00, 0x10, 0xBF, 0x00, 0x00, 0x00, 0x00, 0x00}
        << "RC5-Daten: 10 BF 00 ";
}

void TestVmInner::framesArriveByteForByte()
{
    QFETCH(Send, kind);
    QFETCH(bool, toggle);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(Bytes, report);
    QFETCH(QString, echo);

    m_device.clearReceived();
    send(kind, toggle, address, value);
    QCOMPARE(hexOf(m_device.received()), hexOf(Reports{report}));
    QCOMPARE(m_status, echo);
}

void TestVmInner::pacedFrameArrivesRepeatCountTimes()
{
    m_device.clearReceived();
    m_pauses.clear();
    m_transmitter->setRepeatCount(3);
    m_transmitter->setRepeatDelayMs(7);
    m_transmitter->SendPaced16BitFrame(true, 31, 128);
    m_transmitter->setRepeatCount(2);
    m_transmitter->setRepeatDelayMs(0);

    const Bytes report = {0x00, 0x10, 0xBF, 0x80, 0x00, 0x00, 0x00, 0x00};
    QCOMPARE(hexOf(m_device.received()), hexOf((Reports{report, report, report})));
    QCOMPARE(m_pauses, (std::vector<int>{7, 7, 7}));
    QCOMPARE(m_status, QStringLiteral("RC5-Daten: 10 BF 80 "));
}

void TestVmInner::refusedReportShowsTheErrorText()
{
    // The kernel turns any error the device answers with into EIO for the sender.
    m_device.clearReceived();
    m_device.setReplyError(EPROTO);
    m_transmitter->Send16BitFrame(false, 2, 255);
    m_device.setReplyError(0);
    const Bytes report = {0x00, 0x10, 0x82, 0xFF, 0x00, 0x00, 0x00, 0x00};
    QCOMPARE(hexOf(m_device.received()), hexOf(Reports{report}));
    QCOMPARE(m_status, QStringLiteral("SET FEATURE ERROR: Input/output error (5)"));

    // Nothing is retried, and the next send goes through again.
    m_transmitter->Send16BitFrame(false, 2, 255);
    QCOMPARE(hexOf(m_device.received()), hexOf((Reports{report, report})));
    QCOMPARE(m_status, QStringLiteral("RC5-Daten: 10 82 FF "));
}

void TestVmInner::removalLetsTheTransmitterGo()
{
    const qsizetype before = m_deviceChanges->count();
    m_device.destroy();

    // Until the event loop delivers the removal, the program still sends to the device,
    // and the kernel refuses: the hidraw node is gone.
    QCOMPARE(m_transmitter->device(), m_firstObject);
    m_transmitter->SendStandardFrame(false, 5, 12);
    QCOMPARE(m_status, QStringLiteral("SET FEATURE ERROR: No such device (13)"));

    QVERIFY(waitForDeviceChange(before));
    QCOMPARE(m_label, NoTransmitter);
    QCOMPARE(m_transmitter->device(), nullptr);
    // The object stays in the controller's list, checked out and unplugged.
    QVERIFY(!m_firstObject->pluggedIn());
    QVERIFY(m_firstObject->checkedOut());

    const int statusCount = m_statusCount;
    m_transmitter->SendStandardFrame(false, 5, 12);
    QCOMPARE(m_statusCount, statusCount);
}

void TestVmInner::replugMakesANewDeviceObject()
{
    QCOMPARE(QString::fromStdString(m_device.create()), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_label, Taken, EventTimeoutMs);
    THidDevice* second = m_transmitter->device();
    QVERIFY(second);
    QVERIFY(second != m_firstObject);
    QCOMPARE(second, m_controller->devices().back().get());
    QVERIFY(!m_firstObject->pluggedIn());

    m_device.clearReceived();
    m_transmitter->Send16BitFrame(true, 4, 17);
    QCOMPARE(hexOf(m_device.received()), hexOf(Reports{Bytes({0x00, 0x10, 0xA4, 0x11, 0x00, 0x00, 0x00, 0x00})}));
    QCOMPARE(m_status, QStringLiteral("RC5-Daten: 10 A4 11 "));
}

void TestVmInner::unpluggedTransmitterStaysInUseWhileAnotherCarriesItsName()
{
    // A second device with the product string but a serial number is examined, not taken.
    THidDevice* inUse = m_transmitter->device();
    QVERIFY(inUse);
    VirtualTransmitter withSerial({"RU5-Dadezuviriz", "0815", 0x16C0, 0x05DF});
    qsizetype before = m_deviceChanges->count();
    QCOMPARE(QString::fromStdString(withSerial.create()), QString());
    QVERIFY(waitForDeviceChange(before));
    QVERIFY(deviceOf(QStringLiteral("0815")));
    QVERIFY(deviceOf(QStringLiteral("0815"))->checkedOut());
    QCOMPARE(m_transmitter->device(), inUse);
    QCOMPARE(m_label, Taken);

    // The transmitter goes; the other device keeps the name counted, so the program keeps
    // referring to the unplugged object and its sends fail.
    before = m_deviceChanges->count();
    m_device.destroy();
    QVERIFY(waitForDeviceChange(before));
    QVERIFY(!inUse->pluggedIn());
    QCOMPARE(m_transmitter->device(), inUse);
    QCOMPARE(m_label, Taken);
    m_transmitter->Send16BitFrame(false, 1, 1);
    QCOMPARE(m_status, QStringLiteral("SET FEATURE ERROR: No such device (13)"));
    QCOMPARE(hexOf(withSerial.received()), hexOf(Reports{}));

    // With the last device of that name gone, the transmitter is let go.
    before = m_deviceChanges->count();
    withSerial.destroy();
    QVERIFY(waitForDeviceChange(before));
    QCOMPARE(m_transmitter->device(), nullptr);
    QCOMPARE(m_label, NoTransmitter);
}

void TestVmInner::cleanupTestCase()
{
    m_discovery.reset();
    m_transmitter.reset();
    m_controller.reset();
    m_watcher.reset();
    m_backend.reset();
}

int runHidStackTests(int argc, char** argv)
{
    TestVmInner test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_vm_inner.moc"
