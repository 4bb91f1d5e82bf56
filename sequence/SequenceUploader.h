#pragma once

#include "protocol/Protocol.h"

#include <QObject>

#include <functional>

class QCheckBox;
class SequencePanel;
class SequenceTable;
class TCSpinEdit;
class Transmitter;

// The upload of the sequence panel (step 2, "Übertragen") and its three commit buttons
// (step 3, "Abspielen", "Speichern", "Abbruch"). The upload sends the table and the
// header values byte by byte and lets pending events through once per step, so the
// window stays operable while it runs; it connects the four buttons itself.
class SequenceUploader : public QObject {
    Q_OBJECT
public:
    struct Controls {
        SequencePanel* panel = nullptr;
        TCSpinEdit* Count_CSpinEdit = nullptr;
        TCSpinEdit* Speed_CSpinEdit = nullptr;
        TCSpinEdit* TSEnd_CSpinEdit = nullptr;
        TCSpinEdit* CSE_PlayMode = nullptr;
        QCheckBox* CB_Simulation = nullptr;
    };
    struct Services {
        std::function<int()> moduleIndex;     // ModuleIndex, low 8 bits
        std::function<int()> maxSteps;        // the variant's MaxSteps
        std::function<void()> processEvents;  // lets pending user-interface events through
    };

    SequenceUploader(Transmitter& transmitter, const SequenceTable& table, Controls controls, Services services,
                     QObject* parent = nullptr);

    // True while an upload runs (between its start and the end of its frames).
    bool busy() const { return m_busy; }

    void BB_SequenzSendenClick();
    void BB_SequenzSpeichernClick();
    void BB_SequenzAbspielenClick();
    void BB_SequenzAbbruchClick();

protected:
    // Notes the main window's close, which ends a running upload at its next event pump.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Frames>
    void sendAll(int module, const Frames& frames);
    void send(int module, const ChannelFrame& frame);
    void advanceProgress();
    // Sends a commit button's frames with the step-3 buttons disabled, then returns to Ready.
    template <typename Frames>
    void commit(const Frames& frames);
    void setCommitButtonsEnabled(bool enabled);
    // After the window was closed in the middle: back to Ready without a checksum.
    void abandonTransfer();

    Transmitter& m_transmitter;
    const SequenceTable& m_table;
    Controls m_controls;
    Services m_services;
    QObject* m_window = nullptr;
    bool m_busy = false;
    bool m_closing = false;
};
