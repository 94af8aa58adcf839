#include "host/driver_methods.h"

#include "package/xml_text.h"

namespace kassivo {

std::u16string BuildDriverDescription(const std::u16string& journal) {
  const std::u16string version(kDriverVersion);
  const std::pair<const char16_t*, std::u16string> attributes[] = {
      {u"Name",
       u"Orvelle: Эмулятор ККТ с передачей данных (54-ФЗ) c функций эквайринговых операций"},
      {u"Description",
       u"Orvelle: Эмулятор ККТ с передачей данных (54-ФЗ) c функций эквайринговых операций для "
       u"подключения к Orvelle:Предприятие"},
      {u"EquipmentType", u"ККТ,ПринтерЭтикеток,ЭквайринговыйТерминал,ЭлектронныеВесы"},
      {u"IntegrationComponent", u"False"},
      {u"MainDriverInstalled", u"True"},
      {u"DriverVersion", version},
      {u"IntegrationComponentVersion", version},
      {u"DownloadURL", u""},
      {u"LogIsEnabled", journal.empty() ? u"False" : u"True"},
      {u"LogPath", XmlEscape(journal, false)},
  };
  LineAnswer answer({u"<DriverDescription"});
  for (const auto& [name, value] : attributes) answer.Add(name, value);
  return std::move(answer).Finish();
}

}  // namespace kassivo
