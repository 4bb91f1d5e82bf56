#include "sequence/SequenceUploader.h"

#include "protocol/Upload.h"
#include "sequence/SequencePanel.h"
#include "sequence/SequenceTable.h"
#include "transmitter/Frames.h"
#include "transmitter/Transmitter.h"
#include "widgets/FlatButton.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>

#include <algorithm>

namespace {
QString idleCaption()
{
    return QStringLiteral("Übertragen");
}

// The selected entry's index; a list left without a selection sends entry 0.
int selectedIndex(const QComboBox* list)
{
    return std::max(0, list->currentIndex());
}
} // namespace

SequenceUploader::SequenceUploader(Transmitter& transmitter, const SequenceTable& table, Controls controls,
                                   Services services, QObject* parent)
    : QObject(parent), m_transmitter(transmitter), m_table(table), m_controls(controls),
      m_services(std::move(services))
{
    SequencePanel* p = m_controls.panel;
    connect(p->BB_SequenzSenden, &QPushButton::clicked, this, &SequenceUploader::BB_SequenzSendenClick);
    connect(p->BB_SequenzSpeichern, &QPushButton::clicked, this, &SequenceUploader::BB_SequenzSpeichernClick);
    connect(p->BB_SequenzAbspielen, &QPushButton::clicked, this, &SequenceUploader::BB_SequenzAbspielenClick);
    connect(p->BB_SequenzAbbruch, &QPushButton::clicked, this, &SequenceUploader::BB_SequenzAbbruchClick);
    m_window = p->window();
    m_window->installEventFilter(this);
}

bool SequenceUploader::eventFilter(QObject* watched, QEvent* event)
{
    // Nothing in the program refuses a close, so the close event means the window goes.
    if (watched == m_window && event->type() == QEvent::Close && m_busy)
        m_closing = true;
    return QObject::eventFilter(watched, event);
}

void SequenceUploader::send(int module, const ChannelFrame& frame)
{
    m_transmitter.SendPaced16BitFrame(frame.toggle, frames::channelAddress(module, frame.channel), frame.data);
}

template <typename Frames>
void SequenceUploader::sendAll(int module, const Frames& frames)
{
    for (const ChannelFrame& f : frames)
        send(module, f);
}

void SequenceUploader::advanceProgress()
{
    QProgressBar* bar = m_controls.panel->ProgressBar1;
    bar->setValue(bar->value() + 1);
    // The thread stays busy between the event pumps; show the progress at once.
    bar->repaint();
}

void SequenceUploader::setCommitButtonsEnabled(bool enabled)
{
    SequencePanel* p = m_controls.panel;
    for (TFlatButton* b : {p->BB_SequenzSpeichern, p->BB_SequenzAbspielen, p->BB_SequenzAbbruch})
        b->setEnabled(enabled);
}

void SequenceUploader::BB_SequenzSendenClick()
{
    // The button is disabled while an upload runs; this also keeps a programmatic call
    // from starting a second upload inside the first one's event pumping.
    if (m_busy)
        return;
    SequencePanel* p = m_controls.panel;
    const int module = m_services.moduleIndex();
    // A file loaded or a variant switched while events are let through must not change
    // the length of the stream or its checksum: MaxSteps counts as it was at the start.
    const int steps = std::max(0, m_services.maxSteps());
    // Pumping events may run anything, the window's destruction included: pump through a
    // copy of the function, and touch nothing of this object once it is gone.
    const std::function<void()> pump = m_services.processEvents;
    const QPointer<SequenceUploader> alive(this);
    const auto letEventsThrough = [&] {
        if (pump)
            pump();
        return alive && !m_closing;
    };
    m_busy = true;
    m_closing = false;

    m_controls.CB_Simulation->setChecked(false);
    p->BB_SequenzSenden->setEnabled(false);
    p->BB_SequenzSenden->setText(QString::fromStdString(protocol::pendingChecksumCaption()));
    p->BB_SequenzSenden->repaint();
    p->ProgressBar1->setValue(0);
    advanceProgress();

    for (const ChannelFrame& f : protocol::openingFrames()) {
        send(module, f);
        advanceProgress();
    }

    protocol::UploadEncoder encoder(steps);
    const auto sendData = [&](const auto& frames) {
        for (const ChannelFrame& f : frames) {
            send(module, f);
            advanceProgress();
        }
    };
    sendData(encoder.header(m_controls.Count_CSpinEdit->value(), m_controls.Speed_CSpinEdit->value(),
                            m_controls.TSEnd_CSpinEdit->value()));
    for (int i = 0; i < steps; ++i) {
        if (!letEventsThrough()) {
            if (alive)
                abandonTransfer();
            return;
        }
        const SequenceStep s = m_table.step(i);
        // The percentages are read anew for every step: a change during the upload applies
        // to the steps not yet sent.
        const protocol::Percentages percent{p->percent(0)->value(), p->percent(1)->value(), p->percent(2)->value()};
        sendData(encoder.step({s.time, s.red, s.green, s.blue}, percent));
    }
    if (!letEventsThrough()) {
        if (alive)
            abandonTransfer();
        return;
    }
    sendData(encoder.trailer(m_controls.CSE_PlayMode->value(), selectedIndex(p->CB_SequenzProgNummer),
                             selectedIndex(p->CB_SequenzFolgeProgNummer)));
    send(module, encoder.checksumFrame());

    p->BB_SequenzSenden->setText(QString::fromStdString(protocol::checksumCaption(encoder.checksum())));
    p->BB_SequenzSenden->repaint();
    p->ProgressBar1->setValue(0);
    p->ProgressBar1->repaint();
    setCommitButtonsEnabled(true);
    m_busy = false;
}

void SequenceUploader::abandonTransfer()
{
    // The module gets no checksum frame for the part it received; nothing is left to commit.
    SequencePanel* p = m_controls.panel;
    p->ProgressBar1->setValue(0);
    p->BB_SequenzSenden->setText(idleCaption());
    p->BB_SequenzSenden->setEnabled(true);
    m_busy = false;
    m_closing = false;
}

template <typename Frames>
void SequenceUploader::commit(const Frames& frames)
{
    const int module = m_services.moduleIndex();
    setCommitButtonsEnabled(false);
    sendAll(module, frames);
    m_controls.panel->BB_SequenzSenden->setEnabled(true);
}

void SequenceUploader::BB_SequenzSpeichernClick()
{
    commit(protocol::storeFrames());
}

void SequenceUploader::BB_SequenzAbspielenClick()
{
    commit(protocol::playFrames());
}

void SequenceUploader::BB_SequenzAbbruchClick()
{
    commit(protocol::abandonFrames());
}
