#include "tests/support/FakeHidBackend.h"
#include "tests/support/TestRegistry.h"
#include "transmitter/HidDeviceController.h"

#include <QSignalSpy>
#include <QTest>

namespace {

FakeHidBackend::Device mouse()
{
    FakeHidBackend::Device d;
    d.info.vendorId = 0x046D;
    d.info.productId = 0xC077;
    d.product = QStringLiteral("USB Optical Mouse");
    d.featureLength = 0;
    return d;
}

QStringList identities(const THidDeviceController& controller)
{
    QStringList list;
    for (const auto& d : controller.devices())
        list << d->identity();
    return list;
}

} // namespace

class TestHidDeviceController : public QObject {
    Q_OBJECT
private slots:
    void firstEnumerationIsQueuedAndAlwaysReported();
    void noEventWithoutChange();
    void arrivalsAreAppendedInOrder();
    void checkOutHandsOutEachDeviceOnce();
    void unplugDropsDevicesNotCheckedOut();
    void unpluggedCheckedOutDeviceStaysAndCountsAgain();
    void replugMakesNewObjectAtEnd();
    void countByProductName();
    void notificationDuringEnumerationIgnored();
    void duplicateIdentityInOneEnumeration();
};

void TestHidDeviceController::firstEnumerationIsQueuedAndAlwaysReported()
{
    FakeHidBackend fake;
    THidDeviceController controller(fake);
    QSignalSpy spy(&controller, &THidDeviceController::deviceChange);
    QCOMPARE(fake.enumerations, 0);  // nothing before the event loop turns
    QCOMPARE(spy.count(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(fake.enumerations, 1);
    QCOMPARE(spy.count(), 1);       // raised although no device is present
    QCOMPARE(controller.devices().size(), std::size_t(0));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);       // only once
}

void TestHidDeviceController::noEventWithoutChange()
{
    FakeHidBackend fake;
    fake.plug(mouse());
    THidDeviceController controller(fake);
    QSignalSpy spy(&controller, &THidDeviceController::deviceChange);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
    controller.DeviceChangeNotification();
    QCOMPARE(fake.enumerations, 2);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(controller.checkedInCount(), 1);
}

void TestHidDeviceController::arrivalsAreAppendedInOrder()
{
    FakeHidBackend fake;
    const QString a = fake.plug(mouse());
    const QString b = fake.plugTransmitter();
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    QCOMPARE(identities(controller), (QStringList{a, b}));
    const QString c = fake.plug(mouse());
    QSignalSpy spy(&controller, &THidDeviceController::deviceChange);
    controller.DeviceChangeNotification();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(identities(controller), (QStringList{a, b, c}));
    QCOMPARE(controller.devices()[2]->vendorId(), std::uint16_t(0x046D));
}

void TestHidDeviceController::checkOutHandsOutEachDeviceOnce()
{
    FakeHidBackend fake;
    const QString a = fake.plug(mouse());
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();

    THidDevice* device = nullptr;
    QVERIFY(controller.CheckOut(device));
    QCOMPARE(device->identity(), a);
    QVERIFY(device->checkedOut());
    QVERIFY(!controller.CheckOut(device));
    QCOMPARE(device, nullptr);

    // An unrelated device plugged in later is the only one still handed out.
    const QString b = fake.plug(mouse());
    QSignalSpy spy(&controller, &THidDeviceController::deviceChange);
    controller.DeviceChangeNotification();
    QCOMPARE(spy.count(), 1);
    QVERIFY(controller.CheckOut(device));
    QCOMPARE(device->identity(), b);
    QVERIFY(!controller.CheckOut(device));
    QCOMPARE(controller.checkedOutCount(), 2);
    QCOMPARE(controller.checkedInCount(), 0);
}

void TestHidDeviceController::unplugDropsDevicesNotCheckedOut()
{
    FakeHidBackend fake;
    const QString a = fake.plug(mouse());
    const QString b = fake.plug(mouse());
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    fake.unplug(a);
    QSignalSpy spy(&controller, &THidDeviceController::deviceChange);
    controller.DeviceChangeNotification();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(identities(controller), QStringList{b});
    QCOMPARE(controller.unpluggedCount(), 0);
    controller.DeviceChangeNotification();
    QCOMPARE(spy.count(), 1);  // a dropped device is not reported again
}

void TestHidDeviceController::unpluggedCheckedOutDeviceStaysAndCountsAgain()
{
    FakeHidBackend fake;
    const QString a = fake.plugTransmitter();
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    THidDevice* device = nullptr;
    QVERIFY(controller.CheckOut(device));
    fake.unplug(a);

    QSignalSpy spy(&controller, &THidDeviceController::deviceChange);
    controller.DeviceChangeNotification();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(controller.devices().size(), std::size_t(1));
    QCOMPARE(controller.devices()[0].get(), device);
    QVERIFY(!device->pluggedIn());
    QVERIFY(device->checkedOut());
    QCOMPARE(controller.unpluggedCount(), 1);
    QCOMPARE(controller.checkedOutCount(), 0);
    QCOMPARE(controller.CountByProductName(QStringLiteral("RU5-Dadezuviriz")), 0);
    // From now on every notification reports a change.
    controller.DeviceChangeNotification();
    controller.DeviceChangeNotification();
    QCOMPARE(spy.count(), 3);
}

void TestHidDeviceController::replugMakesNewObjectAtEnd()
{
    FakeHidBackend fake;
    const QString other = fake.plug(mouse());
    const QString first = fake.plugTransmitter();
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    THidDevice* a = nullptr;
    THidDevice* b = nullptr;
    QVERIFY(controller.CheckOut(a));
    QVERIFY(controller.CheckOut(b));
    fake.unplug(first);
    controller.DeviceChangeNotification();
    const QString second = fake.plugTransmitter();
    controller.DeviceChangeNotification();

    QCOMPARE(identities(controller), (QStringList{other, first, second}));
    QCOMPARE(controller.devices()[1].get(), b);
    QVERIFY(!b->pluggedIn());
    QVERIFY(controller.devices()[2]->pluggedIn());
    QVERIFY(!controller.devices()[2]->checkedOut());
    QCOMPARE(controller.checkedInCount(), 1);
    QCOMPARE(controller.checkedOutCount(), 1);
    QCOMPARE(controller.unpluggedCount(), 1);
    THidDevice* c = nullptr;
    QVERIFY(controller.CheckOut(c));
    QCOMPARE(c, controller.devices()[2].get());
}

void TestHidDeviceController::countByProductName()
{
    FakeHidBackend fake;
    fake.plugTransmitter();
    fake.plugTransmitter(QStringLiteral("0815"));
    fake.plug(mouse());
    FakeHidBackend::Device unreadable;
    unreadable.product = QStringLiteral("RU5-Dadezuviriz");
    unreadable.stringsReadable = false;
    fake.plug(unreadable);
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    THidDevice* device = nullptr;
    QVERIFY(controller.CheckOut(device));  // checked out devices count as well
    QCOMPARE(controller.CountByProductName(QStringLiteral("RU5-Dadezuviriz")), 2);
    QCOMPARE(controller.CountByProductName(QStringLiteral("ru5-dadezuviriz")), 0);
    QCOMPARE(controller.CountByProductName(QStringLiteral("USB Optical Mouse")), 1);
}

void TestHidDeviceController::notificationDuringEnumerationIgnored()
{
    FakeHidBackend fake;
    THidDeviceController controller(fake);
    int events = 0;
    QString late;
    connect(&controller, &THidDeviceController::deviceChange, this, [&] {
        ++events;
        if (late.isEmpty()) {
            late = fake.plugTransmitter();
            controller.DeviceChangeNotification();  // arrives while the handler runs
        }
    });
    QCoreApplication::processEvents();
    QCOMPARE(events, 1);
    QCOMPARE(fake.enumerations, 1);
    QCOMPARE(controller.devices().size(), std::size_t(0));
    // The next notification after the handler finds the device.
    controller.DeviceChangeNotification();
    QCOMPARE(events, 2);
    QCOMPARE(identities(controller), QStringList{late});
}

void TestHidDeviceController::duplicateIdentityInOneEnumeration()
{
    // A device listed twice (one entry per top-level collection) becomes one object.
    FakeHidBackend fake;
    FakeHidBackend::Device d = mouse();
    d.info.identity = QStringLiteral("same");
    fake.plug(d);
    fake.plug(d);
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    QCOMPARE(identities(controller), QStringList{QStringLiteral("same")});
}

TINTARO_REGISTER_TEST(TestHidDeviceController);
#include "tst_hiddevicecontroller.moc"
