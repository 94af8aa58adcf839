// The non-fiscal text document and the check copy notice.
//
// PrintTextDocument begins its document, then reads the package: a package
// that is not well-formed XML, or whose root has no child, throws DriverError
// with the banner and title line already on the tape. When the root's first
// child is "Positions", each TextString prints its text and each Barcode its
// type, one space and its value, centred; other nodes print nothing, and so
// does a package whose first child is anything else.
//
// PrintCheckCopy prints a fixed three-line notice: the driver keeps no
// checks to copy.
#include "device/emulator.h"
#include "package/check_package.h"

namespace kassivo {

bool TFPEmulator::PrintTextDocument(const std::u16string& ADocsPackage) {
  Tape& tape = state_.Receipt;
  tape.BeginDocument();
  const XmlDocument document = state_.platform().xml->Parse(ADocsPackage);
  const XmlNode& positions = document.root.ChildAt(0);
  if (!positions.Is(u"Positions")) return true;
  for (const XmlNode& item : positions.children) {
    if (item.Is(u"TextString")) {
      tape.PrintLine(ReadTextString(item).text, AlignCenter);
    } else if (item.Is(u"Barcode")) {
      const Barcode barcode = ReadBarcode(item);
      tape.PrintLine(barcode.type + u" " + barcode.value, AlignCenter);
    }
  }
  return true;
}

bool TFPEmulator::PrintCheckCopy() {
  Tape& tape = state_.Receipt;
  tape.BeginDocument();
  tape.PrintLine(u"ПЕЧАТЬ КОПИИ ЧЕКА", AlignCenter);
  tape.PrintLine(u"Эмулятор ККТ тест чека", AlignCenter);
  tape.PrintLine(u"на экран не выводит", AlignCenter);
  return true;
}

}  // namespace kassivo
