// Runs inside the VM: the kernel presents a virtual transmitter through uhid.
#include "VirtualTransmitter.h"

#include <QtTest>

#include <hidapi.h>

#include <chrono>

using namespace std::chrono_literals;
using Bytes = VirtualTransmitter::Bytes;

class TestVmInner : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QCOMPARE(hid_init(), 0); }
    void cleanupTestCase() { hid_exit(); }
    void hidapiReachesTheVirtualDevice();
};

void TestVmInner::hidapiReachesTheVirtualDevice()
{
    VirtualTransmitter device;
    QCOMPARE(QString::fromStdString(device.create()), QString());
    QVERIFY(device.waitStarted(5s));

    struct Found {
        QString path, product, serial;
    };
    const auto find = [] {
        Found found;
        hid_device_info* list = hid_enumerate(0x16C0, 0x05DF);
        if (list)
            found = {QString::fromUtf8(list->path), QString::fromWCharArray(list->product_string),
                     QString::fromWCharArray(list->serial_number)};
        hid_free_enumeration(list);
        return found;
    };
    Found found;
    QTRY_VERIFY_WITH_TIMEOUT(!(found = find()).path.isEmpty(), 5000);
    QCOMPARE(found.product, QStringLiteral("RU5-Dadezuviriz"));
    QCOMPARE(found.serial, QString());
    const QString path = found.path;

    hid_device* handle = hid_open_path(path.toUtf8().constData());
    QVERIFY(handle);
    const unsigned char report[8] = {0x00, 0x0E, 0xE0, 0x48, 0, 0, 0, 0};
    QCOMPARE(hid_send_feature_report(handle, report, sizeof report), 8);
    hid_close(handle);
    QCOMPARE(device.received(), (std::vector<Bytes>{Bytes(report, report + 8)}));
}

QTEST_GUILESS_MAIN(TestVmInner)
#include "test_vm_inner.moc"
