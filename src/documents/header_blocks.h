// The header blocks most documents print right after BeginDocument.
//
// HeaderForm(text): the display form of a registration text: trimmed (every
// leading and trailing code unit up to U+0020), "&quot;" replaced by a double
// quote, then upper-cased with full Unicode case mapping.
//
// PrintDocumentHeader prints eleven entries: a dashed separator; company,
// sale address and sale location in HeaderForm (centred); the pair
// "ИНН:"+INN / "РН ККТ:"+KKTNumber and the pair "ККТ:"+KKTSerialNumber /
// "ФН:"+FNSerialNumber, each justified to the width (joined without a space
// when they do not fit); the title; "КАССИР: "+name and "КАССИР ИНН : "+INN
// (left-aligned); the caller's sale address and location (centred).
//
// PrintShortHeader prints six: a dashed separator, the three HeaderForm
// lines, "ИНН :"+INN and the title.
//
// Registration values are read from the process state at the moment of
// printing; with WindowShowType 0 nothing is printed.
#pragma once

#include <string>
#include <string_view>

#include "device/process_state.h"

namespace kassivo {

std::u16string HeaderForm(const ProcessState& state, std::u16string_view text);

void PrintDocumentHeader(ProcessState& state, std::u16string_view title,
                         std::u16string_view cashier_name, std::u16string_view cashier_inn,
                         std::u16string_view sale_address, std::u16string_view sale_location);

void PrintShortHeader(ProcessState& state, std::u16string_view title);

}  // namespace kassivo
