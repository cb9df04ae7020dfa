// The plan file is written a piece at a time; its bytes are the entries, metre by metre.
#include <gtest/gtest.h>

#include "form1/form1.h"
#include "files/atomic_file.h"
#include "testing/temp_folder.h"

namespace {

TEST(PlanFile, RunsTheMetreFastest) {
  route_plan_table plan;
  plan.create(3);  // metres 0..3
  plan.set_int16(0, 0, 0);
  plan.set_int16(1, 1, 1);
  plan.set_double(2, 1, 2.0);
  temp_folder dir;
  Form1 form;
  form.program_folder = dir.path();
  {
    atomic_file file(form.binary_path_of("p.dat"));
    form.write_binary_file(file, plan);
    file.commit();
  }
  std::string bytes = read_file(dir.file("p.dat"));
  // x: int16 0, empty, empty, empty; y: empty, int16 1, double 2.0, empty.
  EXPECT_EQ(bytes, std::string("\x02\x00\x00\x00"
                               "\x00\x00\x00\x00\x00\x00"
                               "\x00\x00"
                               "\x02\x00\x01\x00"
                               "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x40"
                               "\x00\x00",
                               4 + 6 + 2 + 4 + 10 + 2));
}

}  // namespace
