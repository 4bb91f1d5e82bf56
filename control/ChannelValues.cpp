#include "control/ChannelValues.h"

#include "control/ChannelSliders.h"
#include "control/ModuleSelection.h"
#include "control/NormalPanel.h"
#include "transmitter/Frames.h"
#include "transmitter/Transmitter.h"
#include "widgets/FlatButton.h"
#include "widgets/RgbLed.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

ChannelValues::ChannelValues(Transmitter& transmitter, const Controls& controls, QObject* parent)
    : QObject(parent), m_transmitter(transmitter), m_c(controls)
{
    // valueChanged, not sliderMoved: the preview and the simulation move the sliders
    // from code and rely on the handlers running (live sending included).
    connect(m_c.sliders->ScrollBar_Red, &QScrollBar::valueChanged, this, &ChannelValues::ScrollBar_RedChange);
    connect(m_c.sliders->ScrollBar_Green, &QScrollBar::valueChanged, this, &ChannelValues::ScrollBar_GreenChange);
    connect(m_c.sliders->ScrollBar_Blue, &QScrollBar::valueChanged, this, &ChannelValues::ScrollBar_BlueChange);
    connect(m_c.normal->BB_RC5_extended, &QPushButton::clicked, this, &ChannelValues::BB_RC5_extendedClick);
    connect(m_c.normal->BT_RC5_16B_senden, &QPushButton::clicked, this, &ChannelValues::BT_RC5_16B_sendenClick);
    // The LED starts with the sliders' colour: all at position 255, so black.
    showColour();
}

int ChannelValues::sentValue(int position, int percent)
{
    return (255 - position) * percent / 100;
}

int ChannelValues::channelValue(int channel) const
{
    return 255 - m_c.sliders->bar(channel)->value();
}

int ChannelValues::sentValue(int channel) const
{
    return sentValue(m_c.sliders->bar(channel)->value(), m_c.percentages[std::size_t(channel)]->value());
}

void ChannelValues::channelChange(int channel)
{
    const int sent = sentValue(channel);
    QLineEdit* field = m_c.normal->valueEdit(channel);
    field->setText(QString::number(channelValue(channel)));
    if (m_c.Senden_CheckBox->isChecked()) {
        m_transmitter.Send16BitFrame(m_c.normal->E_Toggle_CheckBox->isChecked(),
                                     frames::channelAddress(moduleIndexOf(*m_c.RG_Geraeteadresse), channel), sent);
        invertToggle();
    }
    // A drag sends one blocking frame per step; the field must keep up on screen.
    field->repaint();
    showColour();
}

void ChannelValues::BB_RC5_extendedClick()
{
    const bool toggle = m_c.normal->E_Toggle_CheckBox->isChecked();
    const int module = moduleIndexOf(*m_c.RG_Geraeteadresse);
    for (int channel = 0; channel < 3; ++channel)
        m_transmitter.Send16BitFrame(toggle, frames::channelAddress(module, channel), sentValue(channel));
    invertToggle();
}

void ChannelValues::BT_RC5_16B_sendenClick()
{
    m_transmitter.Send16BitFrame(
        m_c.normal->E_Toggle_CheckBox->isChecked(),
        frames::channelAddress(moduleIndexOf(*m_c.RG_Geraeteadresse), m_c.normal->E_ADR_CSpinEdit->value()),
        m_c.normal->E_DAT_CSpinEdit->value());
    invertToggle();
}

void ChannelValues::invertToggle()
{
    m_c.normal->E_Toggle_CheckBox->setChecked(!m_c.normal->E_Toggle_CheckBox->isChecked());
}

void ChannelValues::showColour()
{
    m_c.RGB_LED->SetLEDColor(QColor(channelValue(0), channelValue(1), channelValue(2)));
}
