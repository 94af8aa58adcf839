#include "cli/demo.h"

namespace kassivo::cli {

namespace {

// XML attributes are quoted with apostrophes so the script needs no escapes.
constexpr std::string_view kDemoScript = R"script(# A cashier's day on the emulated register.
#
# The host configures the driver and checks what it talks to.
GetInterfaceRevision
SetParameter "Size" 36
SetParameter "WindowShowType" 1
SetParameter "ThresholdPositiveOperations" 50000
SetParameter "Cur" "РУБ."
Open empty
DeviceTest empty empty

# The fiscal storage is registered (operation type 1).
OperationFN "1" 1 "<?xml version='1.0' encoding='UTF-8'?><Parameters KKTNumber='0000000001012345' KKTSerialNumber='100000001' FNSerialNumber='9999078900012345' Fiscal='true' DocumentNumber='1' CompanyName='ООО «Ромашка»' INN='7799000011' SaleAddress='г. Москва, ул. Лесная, д. 5' SaleLocation='Магазин «Ромашка», касса 1' TaxationSystems='0' IsOffline='false' IsEncrypted='false' IsService='false' IsExcisable='false' IsGambling='false' IsLottery='false' IsOnline='true' IsMarking='true' IsPawnshop='false' IsAssurance='false' AgentTypes='' BSOSing='false' IsOnlineOnly='false' IsAutomaticPrinter='false' IsAutomatic='false' AutomaticNumber='' OFDCompany='ООО «Вектор-ОФД»' OFDCompanyINN='7799000022' SenderEmail='kassa@romashka.example' FNSURL='www.nalog.gov.ru'/>"

# Morning: the shift opens.
OpenShift "1" "<?xml version='1.0' encoding='UTF-8'?><InputParameters><Parameters CashierName='Иванова Анна Петровна' CashierINN='770300112233' SaleAddress='г. Москва, ул. Лесная, д. 5' SaleLocation='Торговый зал'/></InputParameters>" empty

# A customer buys marked milk and bread: the marking code is checked first.
OpenSessionRegistrationKM "1"
RequestKM "1" "<?xml version='1.0' encoding='UTF-8'?><RequestKM GUID='5F0C3E3A-7D2B-4C1E-9A6F-2B8D4E1C7A90' MarkingCode='MDEwNDYwNzAxMjM0NTY3ODIxNUtiN3hRcB05M0FiQzE=' PlannedStatus='1' Quantity='1' MeasureOfQuantity='0'/>" empty
GetProcessingKMResult "1" empty empty
ConfirmKM "1" "5F0C3E3A-7D2B-4C1E-9A6F-2B8D4E1C7A90" 0
CloseSessionRegistrationKM "1"
ProcessCheck "1" false "<?xml version='1.0' encoding='UTF-8'?><CheckPackage><Parameters CashierName='Иванова Анна Петровна' CashierINN='770300112233' OperationType='1' TaxationSystem='0' SaleAddress='г. Москва, ул. Лесная, д. 5' SaleLocation='Торговый зал'/><Positions><FiscalString Name='Молоко 3,2% 1 л' Quantity='1' PriceWithDiscount='89.90' AmountWithDiscount='89.90' DiscountAmount='0' VATRate='10' PaymentMethod='4' CalculationSubject='33' MeasurementUnit='шт' MarkingCode='MDEwNDYwNzAxMjM0NTY3ODIxNUtiN3hRcB05M0FiQzE='/><FiscalString Name='Хлеб пшеничный' Quantity='1' PriceWithDiscount='40.50' AmountWithDiscount='40.50' DiscountAmount='4.50' VATRate='10' PaymentMethod='4' CalculationSubject='1' MeasurementUnit='шт'/></Positions><Payments Cash='200' ElectronicPayment='0' PrePayment='0' PostPayment='0' Barter='0'/></CheckPackage>" empty

# The next customer pays by card: the terminal first, then the check.
PayByPaymentCard "1" "" 1250.0 "" empty empty empty
ProcessCheck "1" false "<?xml version='1.0' encoding='UTF-8'?><CheckPackage><Parameters CashierName='Иванова Анна Петровна' CashierINN='770300112233' OperationType='1' TaxationSystem='0' SaleAddress='г. Москва, ул. Лесная, д. 5' SaleLocation='Торговый зал' CustomerEmail='buyer@mail.example'/><Positions><FiscalString Name='Кофе в зёрнах 1 кг' Quantity='1' PriceWithDiscount='1250.00' AmountWithDiscount='1250.00' DiscountAmount='0' VATRate='20' PaymentMethod='4' CalculationSubject='1' MeasurementUnit='шт'/></Positions><Payments Cash='0' ElectronicPayment='1250.00' PrePayment='0' PostPayment='0' Barter='0'/></CheckPackage>" empty

# Change money is brought to the till.
CashInOutcome "1" "<?xml version='1.0' encoding='UTF-8'?><InputParameters><Parameters CashierName='Иванова Анна Петровна' CashierINN='770300112233'/></InputParameters>" 1000.0

# Evening: an interim report, card totals, and the shift closes.
PrintXReport "1" "<?xml version='1.0' encoding='UTF-8'?><InputParameters><Parameters CashierName='Иванова Анна Петровна' CashierINN='770300112233'/></InputParameters>"
Settlement "1" empty
CloseShift "1" "<?xml version='1.0' encoding='UTF-8'?><InputParameters><Parameters CashierName='Иванова Анна Петровна' CashierINN='770300112233' SaleAddress='г. Москва, ул. Лесная, д. 5' SaleLocation='Торговый зал'/></InputParameters>" empty

# Strict mode: the register refuses what a real one refuses, and says why.
# This check comes after closing time, its amount is not price times
# quantity, and its VAT rate was abolished in 2019.
:strict on
ProcessCheck "1" false "<CheckPackage><Parameters CashierName='Иванова Анна Петровна' OperationType='1' TaxationSystem='0'/><Positions><FiscalString Name='Сок яблочный 1 л' Quantity='2' PriceWithDiscount='120.00' AmountWithDiscount='200.00' VATRate='18' PaymentMethod='4' CalculationSubject='1'/></Positions><Payments Cash='300'/></CheckPackage>" empty
# Mended: the shift is opened, the amount and the rate are right.
OpenShift "1" "<InputParameters><Parameters CashierName='Иванова Анна Петровна'/></InputParameters>" empty
ProcessCheck "1" false "<CheckPackage><Parameters CashierName='Иванова Анна Петровна' OperationType='1' TaxationSystem='0'/><Positions><FiscalString Name='Сок яблочный 1 л' Quantity='2' PriceWithDiscount='120.00' AmountWithDiscount='240.00' VATRate='20' PaymentMethod='4' CalculationSubject='1'/></Positions><Payments Cash='300'/></CheckPackage>" empty

# Faults: the paper runs low (the receipt says so), runs out at the next sale, and the register
# refuses to print until the cashier loads a new roll.
:fault paper=near:1
ProcessCheck "1" false "<CheckPackage><Parameters CashierName='Иванова Анна Петровна' OperationType='1' TaxationSystem='0'/><Positions><FiscalString Name='Вода питьевая 0,5 л' Quantity='1' PriceWithDiscount='45.00' AmountWithDiscount='45.00' VATRate='20' PaymentMethod='4' CalculationSubject='1'/></Positions><Payments Cash='50'/></CheckPackage>" empty
ProcessCheck "1" false "<CheckPackage><Parameters CashierName='Иванова Анна Петровна' OperationType='1' TaxationSystem='0'/><Positions><FiscalString Name='Вода питьевая 0,5 л' Quantity='1' PriceWithDiscount='45.00' AmountWithDiscount='45.00' VATRate='20' PaymentMethod='4' CalculationSubject='1'/></Positions><Payments Cash='50'/></CheckPackage>" empty
GetLastError empty
:fault paper=ok
ProcessCheck "1" false "<CheckPackage><Parameters CashierName='Иванова Анна Петровна' OperationType='1' TaxationSystem='0'/><Positions><FiscalString Name='Вода питьевая 0,5 л' Quantity='1' PriceWithDiscount='45.00' AmountWithDiscount='45.00' VATRate='20' PaymentMethod='4' CalculationSubject='1'/></Positions><Payments Cash='50'/></CheckPackage>" empty
# The last customer's card is declined: not enough money on it.
:fault card=insufficient-funds:once
PayByPaymentCard "1" "" 310.0 "" empty empty empty
GetLastError empty
Close "1"
)script";

}  // namespace

std::string_view DemoScript() {
  return kDemoScript;
}

}  // namespace kassivo::cli
