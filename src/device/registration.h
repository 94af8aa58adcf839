// KKT registration data: the process-wide record and its per-user store.
//
// At process start every text is empty and every flag false; the first
// device construction loads the record from the store.
//
// LoadRegistration reads the values in a fixed order, assigning each field as
// soon as its value is read: a missing key or value gives the field's default
// (thirteen zeros for the numbers and INN, the test company, address and
// location, empty otherwise, false for flags); a text value (plain or
// expandable, taken unexpanded) sets a text field, a DWORD sets a flag
// (non-zero is true). A value of the wrong type stops the load there with a
// DriverError: earlier fields hold their new values, later ones keep theirs.
//
// SaveRegistration writes every field with its type (flags as DWORD 1 or 0)
// and never reports a failure: if the key cannot be opened or a write fails,
// the remaining writes are abandoned; what was written stays written.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kassivo {

struct KKTRegistration {
  std::u16string KKTNumber, KKTSerialNumber, FNSerialNumber;
  bool Fiscal = false;
  std::u16string DocumentNumber, CompanyName, INN, SaleAddress, SaleLocation, TaxationSystems;
  bool IsOffline = false, IsEncrypted = false, IsService = false, IsExcisable = false,
       IsGambling = false, IsLottery = false;
  std::u16string AgentTypes;
  bool BSOSing = false, IsOnlineOnly = false, IsAutomaticPrinter = false, IsAutomatic = false;
  std::u16string AutomaticNumber, OFDCompany, OFDCompanyINN, SenderEmail;
  bool IsOnline = false, IsMarking = false, IsPawnshop = false, IsAssurance = false;
  std::u16string FNSURL;

  bool operator==(const KKTRegistration&) const = default;
};

// The taxation systems GetDataKKT reports for the registration: every code,
// "0,1,2,3,4,5", whatever list the registration stored.
std::u16string_view ReportedTaxationSystems(const KKTRegistration& registration);

void LoadRegistration(KKTRegistration& registration, RegistrationStore& store);
void SaveRegistration(const KKTRegistration& registration, RegistrationStore& store);

}  // namespace kassivo
