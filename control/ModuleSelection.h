#pragma once

#include "widgets/RadioGroup.h"

// ModuleIndex: the selected item of "RGB-Modul Adresse:" (7 is "alle"), low 8 bits.
// Every sender reads it afresh at the click.
inline int moduleIndexOf(const TRadioGroup& selection)
{
    return selection.ItemIndex() & 0xFF;
}
