// TFPEmulator, one emulated device, and TFPEmulatorList, the per-object list
// that issues device IDs and finds devices by them.
//
// A device owns only FDocSum, FFiscal and FID; everything a user would call
// the register's state lives in the ProcessState shared by every device.
//
// TFPEmulatorList::New numbers devices "1", "2", ... in creation order. The
// number is taken before the device is constructed, so when construction
// fails (the registration load throws DriverError) the number stays used and
// the list stays usable. Find matches the ID exactly (case-sensitive, no
// trimming, no numeric reading). The list owns its devices; nothing removes
// a single device.
//
// Device operations return true on success. An operation whose input cannot
// be read throws DriverError after the effects that precede the failure; the
// dispatcher turns that into a false result with the message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/process_state.h"

namespace kassivo {

class TFPEmulatorList;

class TFPEmulator {
 public:
  // Loads the registration data into the process state and resets
  // LastKMRequestGUID to "***"; throws DriverError when the load fails.
  explicit TFPEmulator(ProcessState& state);

  double FDocSum = 0;
  bool FFiscal = false;
  std::u16string FID;

  ProcessState& state() { return state_; }

  bool Close() { return true; }

  // Registration exchange.
  bool GetDataKKT(std::u16string& AText);
  bool OperationFN(std::int32_t AOperationType, const std::u16string& AParameters);

  // Shifts and status.
  bool OpenShift(std::u16string& AInParams, std::u16string& AOutParams);
  bool CloseShift(std::u16string& AInParams, std::u16string& AOutParams);
  bool ReportCurrentStatus(std::u16string& AInParams, std::u16string& AOutParams);
  bool GetCurrentStatus(std::u16string& AInParams, std::u16string& AOutParams);
  bool PrintXReport(const std::u16string& AParams);

  // Cash operations.
  bool CashInOutcome(const std::u16string& AParams, double AValue);
  bool OpenCashDrawer();
  std::int32_t GetLineLength();

  // Checks.
  bool ProcessCheck(bool AElectronically, bool ACorrection, const std::u16string& ACheckPackage,
                    std::u16string& AOutParams);

  // Text document and check copy.
  bool PrintTextDocument(const std::u16string& ADocsPackage);
  bool PrintCheckCopy();

  // Marking codes.
  bool SessionRegistrationKM(bool AOpen);
  bool RequestKM(std::u16string& AInParams, std::u16string& AOutParams);
  bool GetProcessingKMResult(std::u16string& AOutParams);
  bool ConfirmKM(std::u16string& AInParams, std::int32_t& AKind);

  // Card terminal.
  bool DoBillingTransaction(const std::u16string& ATransaction, double AAmount,
                            std::u16string& ACardNumber, std::u16string& AReceiptNumber,
                            std::u16string& ARRNCode, std::u16string& AAuthorizationCode,
                            std::u16string& AReport);
  bool Settlement(std::u16string& AReport);

  // Settings and actions descriptions; need no device.
  static std::u16string GetParamsListToXML(const ProcessState& state);
  static std::u16string GetAddParamsListToXML();

 private:
  ProcessState& state_;
};

class TFPEmulatorList {
 public:
  explicit TFPEmulatorList(ProcessState& state) : state_(state) {}

  // Creates a device; AID receives its ID. Throws when construction fails.
  bool New(std::u16string& AID);
  // Inline: every device call looks its device up.
  TFPEmulator* Find(std::u16string_view AID) {
    for (const auto& device : FObjectList) {
      if (device->FID == AID) return device.get();
    }
    return nullptr;
  }
  std::size_t size() const { return FObjectList.size(); }
  // How many IDs New has issued (the last ID's number), and the devices' IDs
  // in creation order.
  std::int32_t issued() const { return FNumber; }
  std::vector<std::u16string> ids() const;
  // Makes the list as one that issued `issued` IDs and holds devices with
  // `ids` (a replay beginning in the middle of a day); throws DriverError
  // when a device cannot be made.
  void Restore(std::int32_t issued, const std::vector<std::u16string>& ids);

 private:
  ProcessState& state_;
  std::int32_t FNumber = 0;
  std::vector<std::unique_ptr<TFPEmulator>> FObjectList;
};

}  // namespace kassivo
