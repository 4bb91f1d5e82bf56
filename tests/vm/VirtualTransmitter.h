#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A HID device that the kernel itself presents, made through /dev/uhid: by default
// the infrared transmitter as the program knows it (USB, 16C0:05DF, product string
// "RU5-Dadezuviriz", no serial number, one 7-byte feature report without report ids).
// A thread of its own answers the kernel's requests, so a sender may block in its
// feature-report ioctl on another thread while the device records what arrives.
class VirtualTransmitter {
public:
    struct Identity {
        std::string name = "RU5-Dadezuviriz";  // becomes the product string
        std::string uniq;                       // becomes the serial number string
        std::uint16_t vendorId = 0x16C0;
        std::uint16_t productId = 0x05DF;
    };
    using Bytes = std::vector<std::uint8_t>;

    // Vendor-defined page, one feature report of 7 bytes, no report ids.
    static const Bytes& reportDescriptor();

    VirtualTransmitter();
    explicit VirtualTransmitter(Identity identity);
    ~VirtualTransmitter();
    VirtualTransmitter(const VirtualTransmitter&) = delete;
    VirtualTransmitter& operator=(const VirtualTransmitter&) = delete;

    // Presents the device to the kernel. Returns an empty string on success, else why not.
    std::string create();
    // Removes the device; the kernel drops its hidraw node before this returns.
    void destroy();
    bool exists() const { return m_fd >= 0; }

    // The error code every later SET_REPORT is answered with; 0 accepts the report.
    void setReplyError(int error);

    // Every feature report the kernel handed over, report id byte included, in order.
    std::vector<Bytes> received() const;
    void clearReceived();
    // Waits until the kernel has started the device (its driver is bound).
    bool waitStarted(std::chrono::milliseconds timeout);

private:
    void serve(int fd, int stopFd);
    bool writeEvent(int fd, const void* event, std::size_t size);

    Identity m_identity;
    int m_fd = -1;
    int m_stopFd = -1;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Bytes> m_received;
    int m_replyError = 0;
    bool m_started = false;
};
