#pragma once

#include "protocol/Protocol.h"

#include <array>
#include <cstddef>
#include <vector>

// The four guided configuration procedures of a module as one table. Each procedure
// runs in three steps: step 1 puts the module into the setting's mode, step 2 transfers
// a value (as often as the user likes), step 3 stores it or leaves the mode.
namespace protocol {

// How the value control of step 2 becomes the data byte of the transfer frame.
enum class ValueRule {
    Osccal,       // the calibration value, low 8 bits
    Address,      // the module address (0..6), low 8 bits
    Brightness,   // p * 256 / 100 truncated, low 8 bits (100 % goes out as 0)
    PinPosition,  // the list position, low 8 bits (no selection, -1, goes out as 255)
};

// A frame whose data is either fixed or the transferred value (after the procedure's rule).
struct FrameTemplate {
    bool toggle = true;
    int channel = 0;
    int data = 0;
    bool dataIsValue = false;
    bool operator==(const FrameTemplate&) const = default;
};

// A button's frames, in the order sent (one or two).
struct ButtonFrames {
    std::array<FrameTemplate, 2> frames{};
    int count = 0;
};

enum class ProcedureButton {
    Step1,          // "... modus setzen"
    Transfer,       // "Übertragen"
    FrequencyUp,    // oscillator only: "Frequenz erhöhen"
    FrequencyDown,  // oscillator only: "Frequenz verringern"
    Store,          // "Speichern"
    Cancel,         // "Abbruch"
};

struct ProcedureCommands {
    const char* name;          // plain English name, for diagnostics and tests
    int modeNumber;            // data of the step-1 frame on the control channel
    ValueRule rule;
    bool hasFrequencyButtons;  // the oscillator's two extra step-2 buttons
    bool selectsAddress;       // the transfer makes the transferred value the module address
    ButtonFrames step1;
    ButtonFrames transfer;
    ButtonFrames frequencyUp;    // count 0 where the procedure has none
    ButtonFrames frequencyDown;
    ButtonFrames store;
    ButtonFrames cancel;

    const ButtonFrames& button(ProcedureButton which) const;
};

// Indexes into procedures(), in the order of the configuration tabs.
enum ProcedureIndex {
    ProcedureOscillator = 0,
    ProcedureAddress = 1,
    ProcedureBrightness = 2,
    ProcedurePin = 3,
};

const std::array<ProcedureCommands, 4>& procedures();

// The data byte that the transfer frame carries for a value of the step-2 control.
int procedureValueData(ValueRule rule, int value);

// The frames a button sends, with `value` (the step-2 control's value, read at the click)
// filled in where the frame carries it. Buttons that carry no value ignore it.
std::vector<ChannelFrame> procedureFrames(const ProcedureCommands& procedure, ProcedureButton button,
                                          int value = 0);

} // namespace protocol
