#include "form1/form1.h"

#include <gtest/gtest.h>

#include <sstream>

#include "files/file_names.h"
#include "testing/system_words.h"
#include "testing/temp_folder.h"

namespace {

TEST(Errore, ShowsTheMessageAndEndsTheRun) {
  Form1 form;
  std::ostringstream console;
  form.console = &console;
  try {
    form.errore("1251");
    FAIL() << "errore returned";
  } catch (const program_end& end) {
    EXPECT_EQ(end.status, 1);
  }
  EXPECT_EQ(console.str(), " Errore n. 1251\n");
}

TEST(RecordFault, RecordsTheCodeAndPrintsTheDiagnostic) {
  Form1 form;
  std::ostringstream console;
  form.console = &console;
  form.error_position = 5;
  form.record_fault(fault_at(file_only("Zenvro_Quarvel_linea.txt"), 102));
  EXPECT_EQ(form.error_code, 102);
  EXPECT_EQ(form.error_position, 5);  // kept when the fault has no position
  form.record_fault(fault_at({"t.txt", 3, 11, "sabbia,    3x0"}, 15, 90000));
  EXPECT_EQ(form.error_code, 15);
  EXPECT_EQ(form.error_position, 90000);
  EXPECT_EQ(console.str(),
            "Zenvro_Quarvel_linea.txt: error 102: no field containing \"[generale]\" in the line "
            "description file\n"
            "t.txt:3:11: error 15: the row's position lies beyond the end of the grid (at 90000 m)\n"
            "sabbia,    3x0\n          ^\n");
}

TEST(RecordFault, EveryFaultIsReportedInOrderEvenWhenOverwritten) {
  Form1 form;
  std::ostringstream console;
  form.console = &console;
  form.record_fault(fault_at({}, 15, 88950));
  form.record_fault(fault_at({}, 2));
  EXPECT_EQ(form.error_code, 2);
  EXPECT_EQ(form.error_position, 88950);
  EXPECT_EQ(form.faults_reported, 2);
  std::string text = console.str();
  EXPECT_LT(text.find("error 15:"), text.find("error 2:"));
}

TEST(ReadingFault, ClosesAndDeletesBothTextFilesAndRecords25) {
  temp_folder dir;
  Form1 form;
  std::ostringstream console;
  form.console = &console;
  form.program_folder = dir.path();
  form.route_name = "R";
  form.train_number = "7";
  write_file(dir.file(line_file_name("R")), "x\r\n");
  write_file(dir.file(train_file_name("R", "7")), "sabbia, 1x\r\n");
  write_file(dir.file("R_7_note.txt"), "kept\r\n");
  form.source_names[train_file_name("R", "7")] = "my/train.txt";
  form.open_input(train_file_name("R", "7"));
  std::string keyword;
  form.read_field(keyword);
  int16_t sand;
  try {
    form.read_field(sand);
    FAIL() << "no fault";
  } catch (const reading_fault& f) {
    form.handle_reading_fault(f);
  }
  EXPECT_EQ(form.error_code, 25);
  EXPECT_FALSE(form.input);
  EXPECT_FALSE(file_present(dir.file(line_file_name("R"))));
  EXPECT_FALSE(file_present(dir.file(train_file_name("R", "7"))));
  EXPECT_TRUE(file_present(dir.file("R_7_note.txt")));
  EXPECT_EQ(console.str(),
            "my/train.txt:1:9: error 25: the row cannot be read: \"1x\" is not a number\n"
            "sabbia, 1x\n        ^\n");
}

TEST(ReadingFault, AFileThatCannotBeOpenedNamesTheFileAlone) {
  temp_folder dir;
  Form1 form;
  std::ostringstream console;
  form.console = &console;
  form.program_folder = dir.path();
  form.route_name = "R";
  form.train_number = "7";
  try {
    form.open_input(train_file_name("R", "7"));
    FAIL() << "opened a missing file";
  } catch (const reading_fault& f) {
    form.handle_reading_fault(f);
  }
  EXPECT_EQ(console.str(), "R_7-.txt: error 25: the text files cannot be read: cannot open the "
                           "file: " + system_words(failure_kind::no_such_file) + "\n");
}

TEST(FileExists, PlainFilesOnly) {
  temp_folder dir;
  Form1 form;
  form.program_folder = dir.path();
  write_file(dir.file("ab"), "");
  write_file(dir.file("a"), "");
  std::filesystem::create_directory(dir.file("folder"));
  EXPECT_TRUE(form.file_exists("ab"));
  EXPECT_FALSE(form.file_exists("a"));  // a name shorter than 2 characters counts as missing
  EXPECT_FALSE(form.file_exists("folder"));
  EXPECT_FALSE(form.file_exists("missing"));
}

}  // namespace
