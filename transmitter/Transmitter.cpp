#include "transmitter/Transmitter.h"

#include "transmitter/HidDevice.h"

#include <cerrno>
#include <chrono>
#include <thread>

Transmitter::Transmitter(QObject* parent)
    : QObject(parent), m_pause([](int ms) {
          if (ms > 0)
              std::this_thread::sleep_for(std::chrono::milliseconds(ms));
      })
{
}

void Transmitter::SendStandardFrame(bool toggle, int address, int command)
{
    send(frames::standardFrame(toggle, address, command));
}

void Transmitter::Send16BitFrame(bool toggle, int address, int data)
{
    send(frames::extendedFrame(toggle, address, data));
}

void Transmitter::SendPaced16BitFrame(bool toggle, int address, int data)
{
    for (int i = 0; i < m_repeatCount; ++i) {
        Send16BitFrame(toggle, address, data);
        m_pause(m_repeatDelayMs);
    }
}

void Transmitter::send(const frames::FrameBytes& frame)
{
    if (!m_device)
        return;
    const frames::Report report = frames::report(frame);
    const int length = m_device->GetCaps().FeatureReportByteLength;
    if (length > frames::ReportBufferSize) {
        // A declared length beyond our buffer would make the device read past it.
        emit statusChanged(frames::featureErrorText(EMSGSIZE));
        return;
    }
    if (m_device->SetFeature(report.data(), length))
        emit statusChanged(frames::echoText(report));
    else
        emit statusChanged(frames::featureErrorText(m_device->lastError()));
}
