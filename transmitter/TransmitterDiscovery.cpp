#include "transmitter/TransmitterDiscovery.h"

#include "transmitter/HidDevice.h"
#include "transmitter/HidDeviceController.h"
#include "transmitter/Transmitter.h"

namespace {
constexpr int InputBufferCount = 128;
}

TransmitterDiscovery::TransmitterDiscovery(THidDeviceController& controller, Transmitter& transmitter,
                                           QObject* parent)
    : QObject(parent), m_controller(controller), m_transmitter(transmitter)
{
    connect(&m_controller, &THidDeviceController::deviceChange, this, &TransmitterDiscovery::HidCtlDeviceChange);
}

// The device belongs to the controller; the transmitter must not keep pointing at it.
TransmitterDiscovery::~TransmitterDiscovery()
{
    m_transmitter.setDevice(nullptr);
}

QString TransmitterDiscovery::deviceName(THidDevice& device)
{
    QString name = device.GetProductName();
    if (name.isEmpty())
        name = QString::asprintf(" [Device VID=%.4X PID=%.4X]", unsigned(device.vendorId()),
                                 unsigned(device.productId()));
    const QString serial = device.GetSerialNumber();
    if (!serial.isEmpty())
        name += QStringLiteral(" [Serial=%1]").arg(serial);
    return name;
}

void TransmitterDiscovery::HidCtlDeviceChange()
{
    if (m_controller.CountByProductName(ProductName) == 0) {
        m_transmitter.setDevice(nullptr);
        emit labelChanged(LabelPrefix);
    }
    // Every device handed out stays checked out, so each is examined only once; the
    // ones after the transmitter wait for a later event.
    THidDevice* device = nullptr;
    while (m_controller.CheckOut(device)) {
        const QString name = deviceName(*device);
        device->SetNumInputBuffers(InputBufferCount);
        device->SetNumOverlappedBuffers(InputBufferCount);
        if (device->vendorId() != VendorId || device->productId() != ProductId)
            continue;
        if (name != ProductName)
            continue;
        m_transmitter.setDevice(device);
        emit labelChanged(LabelPrefix + name);
        break;
    }
}
