#include "VirtualTransmitter.h"

#include <linux/input.h>
#include <linux/uhid.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

std::string errnoText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void copyString(std::uint8_t* target, std::size_t capacity, const std::string& text)
{
    std::memcpy(target, text.data(), std::min(text.size(), capacity - 1));
}

} // namespace

const VirtualTransmitter::Bytes& VirtualTransmitter::reportDescriptor()
{
    static const Bytes descriptor = {
        0x06, 0x00, 0xFF,  // Usage Page (vendor defined 0xFF00)
        0x09, 0x01,        // Usage (1)
        0xA1, 0x01,        // Collection (Application)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x07,        //   Report Count (7)
        0x09, 0x00,        //   Usage (0)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
    return descriptor;
}

VirtualTransmitter::VirtualTransmitter() : VirtualTransmitter(Identity{}) {}

VirtualTransmitter::VirtualTransmitter(Identity identity) : m_identity(std::move(identity)) {}

VirtualTransmitter::~VirtualTransmitter()
{
    destroy();
}

std::string VirtualTransmitter::create()
{
    if (m_fd >= 0)
        return "the device exists already";
    const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errnoText("/dev/uhid");

    auto event = std::make_unique<uhid_event>();
    std::memset(event.get(), 0, sizeof(uhid_event));
    event->type = UHID_CREATE2;
    uhid_create2_req& req = event->u.create2;
    copyString(req.name, sizeof req.name, m_identity.name);
    copyString(req.uniq, sizeof req.uniq, m_identity.uniq);
    copyString(req.phys, sizeof req.phys, "virtual-transmitter");
    const Bytes& descriptor = reportDescriptor();
    req.rd_size = static_cast<std::uint16_t>(descriptor.size());
    std::copy(descriptor.begin(), descriptor.end(), req.rd_data);
    req.bus = BUS_USB;  // hidapi leaves out devices on the virtual bus
    req.vendor = m_identity.vendorId;
    req.product = m_identity.productId;
    req.version = 0x0100;
    if (!writeEvent(fd, event.get(), sizeof(uhid_event))) {
        const std::string error = errnoText("UHID_CREATE2");
        ::close(fd);
        return error;
    }
    const int stopFd = ::eventfd(0, EFD_CLOEXEC);
    if (stopFd < 0) {
        const std::string error = errnoText("eventfd");
        ::close(fd);
        return error;
    }
    {
        std::lock_guard lock(m_mutex);
        m_started = false;
    }
    m_fd = fd;
    m_stopFd = stopFd;
    m_thread = std::thread([this, fd, stopFd] { serve(fd, stopFd); });
    return {};
}

void VirtualTransmitter::destroy()
{
    if (m_fd < 0)
        return;
    uhid_event event{};
    event.type = UHID_DESTROY;
    writeEvent(m_fd, &event, sizeof event);
    // Wakes the reader; an eventfd takes a write of 1 unless its counter is near 2^64.
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t woken = ::write(m_stopFd, &one, sizeof one);
    m_thread.join();
    ::close(m_stopFd);
    ::close(m_fd);
    m_fd = -1;
    m_stopFd = -1;
}

void VirtualTransmitter::setReplyError(int error)
{
    std::lock_guard lock(m_mutex);
    m_replyError = error;
}

std::vector<VirtualTransmitter::Bytes> VirtualTransmitter::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

void VirtualTransmitter::clearReceived()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

bool VirtualTransmitter::waitStarted(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_started; });
}

bool VirtualTransmitter::writeEvent(int fd, const void* event, std::size_t size)
{
    ssize_t written;
    do {
        written = ::write(fd, event, size);
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(size);
}

void VirtualTransmitter::serve(int fd, int stopFd)
{
    auto event = std::make_unique<uhid_event>();
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)))
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        const ssize_t got = ::read(fd, event.get(), sizeof(uhid_event));
        if (got <= 0)
            continue;
        switch (event->type) {
        case UHID_START: {
            std::lock_guard lock(m_mutex);
            m_started = true;
            m_changed.notify_all();
            break;
        }
        case UHID_SET_REPORT: {
            // Record before replying, so the bytes are there when the sender's ioctl returns.
            const uhid_set_report_req& req = event->u.set_report;
            int error;
            {
                std::lock_guard lock(m_mutex);
                const std::size_t size = std::min<std::size_t>(req.size, UHID_DATA_MAX);
                m_received.emplace_back(req.data, req.data + size);
                error = m_replyError;
            }
            uhid_event reply{};
            reply.type = UHID_SET_REPORT_REPLY;
            reply.u.set_report_reply.id = req.id;
            reply.u.set_report_reply.err = static_cast<std::uint16_t>(error);
            writeEvent(fd, &reply, sizeof reply);
            break;
        }
        case UHID_GET_REPORT: {
            // Nothing is ever read from the transmitter.
            auto reply = std::make_unique<uhid_event>();
            std::memset(reply.get(), 0, sizeof(uhid_event));
            reply->type = UHID_GET_REPORT_REPLY;
            reply->u.get_report_reply.id = event->u.get_report.id;
            reply->u.get_report_reply.err = EIO;
            writeEvent(fd, reply.get(), sizeof(uhid_event));
            break;
        }
        default:
            break;
        }
    }
}
