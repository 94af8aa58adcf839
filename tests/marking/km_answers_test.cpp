#include "marking/km_answers.h"

#include <gtest/gtest.h>

namespace kassivo {
namespace {

TEST(KMAnswers, RequestResultCarriesTheLocalCheckFlags) {
  DriverSettings settings;
  EXPECT_EQ(BuildRequestKMResult(settings),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<RequestKMResult\r"
            u"Checking=\"True\"\rCheckingResult=\"True\"\r/>");
  settings.FFD12_Checking = false;
  EXPECT_EQ(BuildRequestKMResult(settings),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<RequestKMResult\r"
            u"Checking=\"False\"\rCheckingResult=\"True\"\r/>");
  settings.FFD12_Checking = true;
  settings.FFD12_CheckingResult = false;
  EXPECT_EQ(BuildRequestKMResult(settings),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<RequestKMResult\r"
            u"Checking=\"True\"\rCheckingResult=\"False\"\r/>");
}

TEST(KMAnswers, ProcessingResultCodeFollowsTheResult) {
  DriverSettings settings;
  EXPECT_EQ(BuildProcessingKMResult(settings, u"G-1"),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<ProcessingKMResult\r"
            u"GUID=\"G-1\"\rResult=\"True\"\rResultCode=\"3\"\rStatusInfo=\"1\"\r"
            u"HandleCode=\"0\"\r/>");
  settings.FFD12_OISM_Result = false;
  settings.FFD12_OISM_StatusInfo = -3;
  settings.FFD12_OISM_HandleCode = 2147483647;
  EXPECT_EQ(BuildProcessingKMResult(settings, u"G-1"),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<ProcessingKMResult\r"
            u"GUID=\"G-1\"\rResult=\"False\"\rResultCode=\"0\"\rStatusInfo=\"-3\"\r"
            u"HandleCode=\"2147483647\"\r/>");
}

TEST(KMAnswers, HostGuidCannotBreakTheAnswer) {
  const std::u16string answer = BuildProcessingKMResult(DriverSettings{}, u"a\"/><x y=\"&<\n");
  EXPECT_NE(answer.find(u"GUID=\"a&#34;/&#62;&#60;x y=&#34;&#38;&#60;&#10;\"\r"),
            std::u16string::npos);
}

TEST(KMAnswers, ProcessingGuidIsTheLastRequestOnceThereIsOne) {
  EXPECT_EQ(ProcessingKMResultGUID(u"***"), u"193DDFC8-15DF-4B14-AE84-1D5B741BC0AC");
  EXPECT_EQ(ProcessingKMResultGUID(u"6F9619FF-8B86-D011-B42D-00C04FC964FF"),
            u"6F9619FF-8B86-D011-B42D-00C04FC964FF");
  // A request without a GUID is still a request: its empty GUID is answered.
  EXPECT_EQ(ProcessingKMResultGUID(u""), u"");
}

}  // namespace
}  // namespace kassivo
