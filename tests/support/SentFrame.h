#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class FakeHidBackend;

// A report as the transmitter received it, decoded back into the frame's fields.
struct SentFrame {
    bool toggle = false;
    int address = 0;
    int data = 0;    // the command of a standard frame
    int bits = 16;   // 16 extended, 14 standard, 0: the report holds no well-formed frame
    bool operator==(const SentFrame&) const = default;
};

// "16 bits, toggle 1, address 28, data 10": comparing texts shows every field of a mismatch.
QString frameText(const SentFrame& frame);
QStringList describe(const QList<SentFrame>& frames);
// For QCOMPARE on frames and lists of them.
char* toString(const SentFrame& frame);

// Every report the fake recorded, decoded in order; one that is no well-formed frame decodes
// to bits 0.
QList<SentFrame> decodeReports(const FakeHidBackend& hid);
// The same where every report must be a well-formed 16-bit frame: anything else ends the test.
QList<SentFrame> extendedFrames(const FakeHidBackend& hid);
