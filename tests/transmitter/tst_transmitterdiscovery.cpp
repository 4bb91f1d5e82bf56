#include "tests/support/FakeHidBackend.h"
#include "tests/support/TestRegistry.h"
#include "transmitter/HidDeviceController.h"
#include "transmitter/Transmitter.h"
#include "transmitter/TransmitterDiscovery.h"

#include <QSignalSpy>
#include <QTest>

#include <cerrno>

using Bytes = std::vector<std::uint8_t>;

namespace {

const QString Empty = QStringLiteral("USB-Gerätename: ");
const QString Taken = QStringLiteral("USB-Gerätename: RU5-Dadezuviriz");

// The program's transmitter link over the fake: controller, send operations, discovery,
// with the label texts and status texts recorded.
struct Link {
    FakeHidBackend fake;
    THidDeviceController controller{fake};
    Transmitter transmitter;
    TransmitterDiscovery discovery{controller, transmitter};
    QStringList labels;
    QStringList statuses;

    Link()
    {
        QObject::connect(&discovery, &TransmitterDiscovery::labelChanged, [this](const QString& t) { labels << t; });
        QObject::connect(&transmitter, &Transmitter::statusChanged, [this](const QString& t) { statuses << t; });
    }
    void notify() { controller.DeviceChangeNotification(); }
    THidDevice* device(std::size_t i) const { return controller.devices().at(i).get(); }
};

FakeHidBackend::Device device(std::uint16_t vid, std::uint16_t pid, const QString& product, const QString& serial = {})
{
    FakeHidBackend::Device d;
    d.info.vendorId = vid;
    d.info.productId = pid;
    d.product = product;
    d.serial = serial;
    return d;
}

} // namespace

class TestTransmitterDiscovery : public QObject {
    Q_OBJECT
private slots:
    void deviceName_data();
    void deviceName();
    void startWithoutDevice();
    void transmitterPresentAtStart();
    void unrelatedDevicePluggedWhileInUse();
    void unplugAndReplug();
    void secondTransmitterTakenWhenFirstUnplugged();
    void unpluggedTransmitterKeptWhileAnotherCarriesTheName();
    void notTaken_data();
    void notTaken();
    void laterDevicesWaitForNextEvent();
    void sendStatus_data();
    void sendStatus();
};

void TestTransmitterDiscovery::deviceName_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("name");
    QTest::newRow("product") << "RU5-Dadezuviriz" << "" << true << "RU5-Dadezuviriz";
    QTest::newRow("product and serial") << "RU5-Dadezuviriz" << "A1b2" << true << "RU5-Dadezuviriz [Serial=A1b2]";
    QTest::newRow("no product") << "" << "" << true << " [Device VID=0A5F PID=00EC]";
    QTest::newRow("no product, serial") << "" << "77" << true << " [Device VID=0A5F PID=00EC] [Serial=77]";
    QTest::newRow("strings unreadable") << "X" << "Y" << false << " [Device VID=0A5F PID=00EC]";
}

void TestTransmitterDiscovery::deviceName()
{
    QFETCH(QString, product);
    QFETCH(QString, serial);
    QFETCH(bool, readable);
    QFETCH(QString, name);
    FakeHidBackend fake;
    auto d = device(0x0A5F, 0x00EC, product, serial);
    d.stringsReadable = readable;
    const QString identity = fake.plug(d);
    THidDevice object(fake, fake.enumerate().front());
    QCOMPARE(object.identity(), identity);
    QCOMPARE(TransmitterDiscovery::deviceName(object), name);
}

void TestTransmitterDiscovery::startWithoutDevice()
{
    Link link;
    link.fake.plug(device(0x046D, 0xC077, QStringLiteral("Mouse")));
    QVERIFY(link.labels.isEmpty());  // the design caption stays until the first event
    QCoreApplication::processEvents();
    QCOMPARE(link.labels, QStringList{Empty});
    QCOMPARE(link.transmitter.device(), nullptr);
    QVERIFY(link.device(0)->checkedOut());  // examined, and never again
    link.transmitter.Send16BitFrame(false, 9, 200);
    QVERIFY(link.statuses.isEmpty());
    QVERIFY(link.fake.sent.empty());
}

void TestTransmitterDiscovery::transmitterPresentAtStart()
{
    Link link;
    link.fake.plug(device(0x046D, 0xC077, QStringLiteral("Mouse")));
    const QString id = link.fake.plugTransmitter();
    QCoreApplication::processEvents();
    QCOMPARE(link.labels, QStringList{Taken});
    QCOMPARE(link.transmitter.device(), link.device(1));
    QCOMPARE(link.device(1)->numInputBuffers(), 128);
    QCOMPARE(link.device(1)->numOverlappedBuffers(), 128);
    QCOMPARE(link.device(0)->numInputBuffers(), 128);  // set for every examined device

    link.transmitter.Send16BitFrame(false, 9, 200);
    QCOMPARE(link.fake.sent.size(), std::size_t(1));
    QCOMPARE(link.fake.sent[0].identity, id);
    QCOMPARE(link.fake.sent[0].bytes, (Bytes{0x00, 0x10, 0x89, 0xC8, 0x00, 0x00, 0x00}));
    QCOMPARE(link.statuses, QStringList{QStringLiteral("RC5-Daten: 10 89 C8 ")});
}

void TestTransmitterDiscovery::unrelatedDevicePluggedWhileInUse()
{
    Link link;
    link.fake.plugTransmitter();
    QCoreApplication::processEvents();
    THidDevice* inUse = link.transmitter.device();
    QVERIFY(inUse);
    link.fake.plug(device(0x046D, 0xC077, QStringLiteral("Mouse")));
    link.notify();
    QCOMPARE(link.transmitter.device(), inUse);
    QCOMPARE(link.labels, QStringList{Taken});  // no new caption
    QVERIFY(link.device(1)->checkedOut());
}

void TestTransmitterDiscovery::unplugAndReplug()
{
    Link link;
    const QString first = link.fake.plugTransmitter();
    QCoreApplication::processEvents();
    THidDevice* old = link.transmitter.device();

    link.fake.unplug(first);
    link.notify();
    QCOMPARE(link.transmitter.device(), nullptr);
    QCOMPARE(link.labels, (QStringList{Taken, Empty}));
    QVERIFY(!old->pluggedIn());
    QVERIFY(old->checkedOut());

    const QString second = link.fake.plugTransmitter();
    link.notify();
    QCOMPARE(link.labels, (QStringList{Taken, Empty, Taken}));
    QCOMPARE(link.controller.devices().size(), std::size_t(2));
    QCOMPARE(link.device(0), old);  // kept, unplugged and checked out
    QCOMPARE(link.transmitter.device(), link.device(1));

    link.transmitter.SendStandardFrame(true, 0, 18);
    QCOMPARE(link.fake.sent.size(), std::size_t(1));
    QCOMPARE(link.fake.sent[0].identity, second);
    QCOMPARE(link.fake.sent[0].bytes, (Bytes{0x00, 0x0E, 0xE0, 0x48, 0x00, 0x00, 0x00}));
    QCOMPARE(link.statuses.last(), QStringLiteral("RC5-Daten: 0E E0 48 "));
}

void TestTransmitterDiscovery::secondTransmitterTakenWhenFirstUnplugged()
{
    Link link;
    const QString first = link.fake.plugTransmitter();
    const QString second = link.fake.plugTransmitter();
    QCoreApplication::processEvents();
    QCOMPARE(link.transmitter.device(), link.device(0));
    QVERIFY(!link.device(1)->checkedOut());  // not examined yet

    link.fake.unplug(first);
    link.notify();
    // The second still carries the name: the label is not reset, the second is taken.
    QCOMPARE(link.labels, (QStringList{Taken, Taken}));
    QCOMPARE(link.transmitter.device()->identity(), second);
    link.transmitter.Send16BitFrame(true, 31, 0);
    QCOMPARE(link.fake.sent.back().identity, second);
    QCOMPARE(link.fake.sent.back().bytes, (Bytes{0x00, 0x10, 0xBF, 0x00, 0x00, 0x00, 0x00}));
}

void TestTransmitterDiscovery::unpluggedTransmitterKeptWhileAnotherCarriesTheName()
{
    Link link;
    const QString first = link.fake.plugTransmitter();
    link.fake.plugTransmitter(QStringLiteral("SN42"));
    QCoreApplication::processEvents();
    // The serial numbered one sits behind the one taken: examined at the next event.
    link.fake.unplug(first);
    link.notify();
    QVERIFY(link.device(1)->checkedOut());
    QCOMPARE(link.labels, QStringList{Taken});
    THidDevice* stale = link.transmitter.device();
    QCOMPARE(stale, link.device(0));
    QVERIFY(!stale->pluggedIn());
    link.transmitter.Send16BitFrame(false, 0, 1);
    QCOMPARE(link.statuses, QStringList{QStringLiteral("SET FEATURE ERROR: No such device (13)")});
    QVERIFY(link.fake.sent.empty());
}

void TestTransmitterDiscovery::notTaken_data()
{
    QTest::addColumn<quint16>("vendor");
    QTest::addColumn<quint16>("product");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QStringList>("labels");
    // The product string is counted, so the caption is left as it was (design caption).
    QTest::newRow("serial number") << quint16(5824) << quint16(1503) << "RU5-Dadezuviriz" << "0001" << QStringList{};
    QTest::newRow("wrong vendor") << quint16(5825) << quint16(1503) << "RU5-Dadezuviriz" << "" << QStringList{};
    QTest::newRow("wrong product") << quint16(5824) << quint16(1504) << "RU5-Dadezuviriz" << "" << QStringList{};
    QTest::newRow("name differs in case") << quint16(5824) << quint16(1503) << "RU5-DADEZUVIRIZ" << ""
                                          << QStringList{Empty};
    QTest::newRow("no product string") << quint16(5824) << quint16(1503) << "" << "" << QStringList{Empty};
}

void TestTransmitterDiscovery::notTaken()
{
    QFETCH(quint16, vendor);
    QFETCH(quint16, product);
    QFETCH(QString, name);
    QFETCH(QString, serial);
    QFETCH(QStringList, labels);
    Link link;
    link.fake.plug(device(vendor, product, name, serial));
    QCoreApplication::processEvents();
    QCOMPARE(link.transmitter.device(), nullptr);
    QCOMPARE(link.labels, labels);
    QVERIFY(link.device(0)->checkedOut());

    // Once it is gone, the count drops to 0 and the caption shows no device.
    link.fake.unplug(link.device(0)->identity());
    link.notify();
    QCOMPARE(link.labels, labels + QStringList{Empty});
}

void TestTransmitterDiscovery::laterDevicesWaitForNextEvent()
{
    Link link;
    link.fake.plugTransmitter();
    link.fake.plug(device(0x046D, 0xC077, QStringLiteral("Mouse")));
    QCoreApplication::processEvents();
    QVERIFY(!link.device(1)->checkedOut());
    QCOMPARE(link.device(1)->numInputBuffers(), 0);
    link.notify();  // no change: no event, nothing examined
    QVERIFY(!link.device(1)->checkedOut());
    link.fake.plug(device(0x046D, 0xC078, QStringLiteral("Keyboard")));
    link.notify();
    QVERIFY(link.device(1)->checkedOut());
    QVERIFY(link.device(2)->checkedOut());
    QCOMPARE(link.labels, QStringList{Taken});
}

void TestTransmitterDiscovery::sendStatus_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("status");
    QTest::newRow("success") << 0 << "RC5-Daten: 10 89 C8 ";
    QTest::newRow("permission denied") << EACCES << "SET FEATURE ERROR: Permission denied (D)";
    QTest::newRow("broken pipe") << EPIPE << "SET FEATURE ERROR: Broken pipe (20)";
    QTest::newRow("no such device") << ENODEV << "SET FEATURE ERROR: No such device (13)";
}

void TestTransmitterDiscovery::sendStatus()
{
    QFETCH(int, error);
    QFETCH(QString, status);
    Link link;
    const QString id = link.fake.plugTransmitter();
    link.fake.setFailErrno(id, error);
    QCoreApplication::processEvents();
    link.transmitter.Send16BitFrame(false, 9, 200);
    QCOMPARE(link.statuses, QStringList{status});
    QCOMPARE(link.fake.sent.size(), std::size_t(error ? 0 : 1));
    QCOMPARE(link.transmitter.device()->lastError(), error);
}

TINTARO_REGISTER_TEST(TestTransmitterDiscovery);
#include "tst_transmitterdiscovery.moc"
