// GetDataKKT and OperationFN: the registration data as the host sees them.
//
// GetDataKKT reloads the store (a wrongly typed stored value throws), puts
// the fixed serial numbers "100000001" and "200000002" into memory (not
// saved) and answers 32 attributes, one a line, lines separated by a single
// CR. Every stored text is passed through XmlEscape, so a quote, "<" or "&"
// in any of them still gives well-formed XML; the company name is trimmed
// first. TaxationSystems is always reported as "0,1,2,3,4,5"
// (ReportedTaxationSystems, which the strict-mode rules check against).
//
// OperationFN sets FFiscal for type 1, clears it for type 3 (before anything
// can fail), parses the XML (throws when it cannot), reads all thirty fields
// from a root named "Parameters" or "ParametersFiscal" (a missing attribute
// clears its field; flags read with GetAttributeBool, so the "True" that
// GetDataKKT writes reads back as true), saves whatever is in memory, and
// prints a three-line notice with no header. Once the parameters are read,
// type 3 marks the fiscal storage closed for the strict-mode rules, and
// types 1 and 2 open again.
#include "common/text.h"
#include "device/emulator.h"
#include "package/xml_text.h"

namespace kassivo {

namespace {

// GetDataKKT's lines: plain, escaped and flag values.
class AttributeLines {
 public:
  void Add(std::u16string_view name, std::u16string_view value) { answer_.Add(name, value); }
  void Escaped(std::u16string_view name, std::u16string_view value) {
    answer_.Add(name, XmlEscape(value, false));
  }
  void Flag(std::u16string_view name, bool value) { answer_.Add(name, FlagText(value)); }
  std::u16string Finish() && { return std::move(answer_).Finish(); }

 private:
  LineAnswer answer_{u"<Parameters"};
};

void ReadRegistration(const XmlNode& node, KKTRegistration& r) {
  auto text = [&node](std::u16string& field, std::u16string_view name) {
    field = GetAttributeText(node, name);
  };
  auto flag = [&node](bool& field, std::u16string_view name) {
    field = GetAttributeBool(node, name);
  };
  text(r.KKTNumber, u"KKTNumber");
  text(r.KKTSerialNumber, u"KKTSerialNumber");
  text(r.FNSerialNumber, u"FNSerialNumber");
  flag(r.Fiscal, u"Fiscal");
  text(r.DocumentNumber, u"DocumentNumber");
  text(r.CompanyName, u"CompanyName");
  text(r.INN, u"INN");
  text(r.SaleAddress, u"SaleAddress");
  text(r.SaleLocation, u"SaleLocation");
  text(r.TaxationSystems, u"TaxationSystems");
  flag(r.IsOffline, u"IsOffline");
  flag(r.IsEncrypted, u"IsEncrypted");
  flag(r.IsService, u"IsService");
  flag(r.IsExcisable, u"IsExcisable");
  flag(r.IsGambling, u"IsGambling");
  flag(r.IsLottery, u"IsLottery");
  flag(r.IsOnline, u"IsOnline");
  flag(r.IsMarking, u"IsMarking");
  flag(r.IsPawnshop, u"IsPawnshop");
  flag(r.IsAssurance, u"IsAssurance");
  text(r.AgentTypes, u"AgentTypes");
  flag(r.BSOSing, u"BSOSing");
  flag(r.IsOnlineOnly, u"IsOnlineOnly");
  flag(r.IsAutomaticPrinter, u"IsAutomaticPrinter");
  flag(r.IsAutomatic, u"IsAutomatic");
  text(r.AutomaticNumber, u"AutomaticNumber");
  text(r.OFDCompany, u"OFDCompany");
  text(r.OFDCompanyINN, u"OFDCompanyINN");
  text(r.SenderEmail, u"SenderEmail");
  text(r.FNSURL, u"FNSURL");
}

}  // namespace

std::u16string_view ReportedTaxationSystems(const KKTRegistration&) {
  return u"0,1,2,3,4,5";
}

bool TFPEmulator::GetDataKKT(std::u16string& AText) {
  KKTRegistration& r = state_.Registration;
  LoadRegistration(r, *state_.platform().store);
  r.FNSerialNumber = u"200000002";
  r.KKTSerialNumber = u"100000001";

  AttributeLines lines;
  lines.Escaped(u"KKTNumber", r.KKTNumber);
  lines.Escaped(u"KKTSerialNumber", r.KKTSerialNumber);
  lines.Add(u"FFDVersionFN", u"1.2");
  lines.Add(u"FFDVersionKKT", u"1.2");
  lines.Flag(u"Fiscal", r.Fiscal);
  lines.Escaped(u"FNSerialNumber", r.FNSerialNumber);
  lines.Escaped(u"DocumentNumber", r.DocumentNumber);
  lines.Escaped(u"CompanyName", Trim(r.CompanyName));
  lines.Escaped(u"INN", r.INN);
  lines.Escaped(u"SaleAddress", r.SaleAddress);
  lines.Escaped(u"SaleLocation", r.SaleLocation);
  lines.Add(u"TaxationSystems", ReportedTaxationSystems(r));
  lines.Flag(u"IsOffline", r.IsOffline);
  lines.Flag(u"IsEncrypted", r.IsEncrypted);
  lines.Flag(u"IsService", r.IsService);
  lines.Flag(u"IsExcisable", r.IsExcisable);
  lines.Flag(u"IsGambling", r.IsGambling);
  lines.Flag(u"IsLottery", r.IsLottery);
  lines.Escaped(u"AgentTypes", r.AgentTypes);
  lines.Flag(u"BSOSing", r.BSOSing);
  lines.Flag(u"IsOnlineOnly", r.IsOnlineOnly);
  lines.Flag(u"IsOnline", r.IsOnline);
  lines.Flag(u"IsMarking", r.IsMarking);
  lines.Flag(u"IsPawnshop", r.IsPawnshop);
  lines.Flag(u"IsAssurance", r.IsAssurance);
  lines.Flag(u"IsAutomaticPrinter", r.IsAutomaticPrinter);
  lines.Flag(u"IsAutomatic", r.IsAutomatic);
  lines.Escaped(u"AutomaticNumber", r.AutomaticNumber);
  lines.Escaped(u"OFDCompany", r.OFDCompany);
  lines.Escaped(u"OFDCompanyINN", r.OFDCompanyINN);
  lines.Escaped(u"SenderEmail", r.SenderEmail);
  lines.Escaped(u"FNSURL", r.FNSURL);
  AText = std::move(lines).Finish();
  return true;
}

bool TFPEmulator::OperationFN(std::int32_t AOperationType, const std::u16string& AParameters) {
  if (AOperationType == 1) FFiscal = true;
  if (AOperationType == 3) FFiscal = false;

  const XmlDocument document = state_.platform().xml->Parse(AParameters);
  const XmlNode& root = document.root;
  if (root.Is(u"Parameters") || root.Is(u"ParametersFiscal")) {
    ReadRegistration(root, state_.Registration);
  }
  SaveRegistration(state_.Registration, *state_.platform().store);
  if (AOperationType == 3) state_.FiscalStorageClosed = true;
  if (AOperationType == 1 || AOperationType == 2) state_.FiscalStorageClosed = false;

  Tape& tape = state_.Receipt;
  tape.BeginDocument();
  tape.PrintSeparator(false);
  tape.PrintLine(u"ОПЕРАЦИЯ C ФИСКАЛЬНЫМ НАКОПИТЕЛЕМ", AlignCenter);
  tape.PrintSeparator(false);
  return true;
}

}  // namespace kassivo
