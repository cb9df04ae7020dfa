// The file services of Form1: every file of a run lives in program_folder, or, for the text
// files, in memory_files when the run has them in memory.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "form1/form1.h"
#include "files/atomic_file.h"
#include "binary/binary_encoding.h"
#include "files/file_names.h"
#include "files/whole_file.h"
#include "platform/file_kind.h"

std::string Form1::path_of(const std::string& name) const {
  return join_path(program_folder, name);
}

void Form1::write_text_file(const std::string& name, const line_table& table) {
  if (memory_files)
    (*memory_files)[name] = text_file_bytes(table);
  else
    replace_file(path_of(name), text_file_bytes(table));
}

// A plain file of that name; a folder is not found, and a name shorter than 2 characters
// counts as missing.
bool Form1::file_exists(const std::string& name) const {
  if (name.size() < 2) return false;
  if (memory_files) return memory_files->count(name) > 0;
  return kind_of_file(path_of(name)) == file_kind::regular;
}

std::string Form1::binary_path_of(const std::string& name) const {
  return join_path(binary_folder.empty() ? program_folder : binary_folder, name);
}

void Form1::write_binary_file(atomic_file& file, const std::string& bytes) { file.write(bytes); }

// The plan is encoded in pieces of 128 KB, so a long route never holds its whole file in
// memory, and each piece goes to the file in one write while it is still in the cache.
void Form1::write_binary_file(atomic_file& file, const route_plan_table& plan) {
  constexpr size_t kChunk = 128 << 10;
  std::string buffer(kChunk + max_variant_size, '\0');
  size_t used = 0;
  for (size_t i = 0; i < plan.entry_count(); ++i) {
    used += encode_variant(buffer.data() + used, {plan.types[i], plan.values[i]});
    if (used >= kChunk) {
      file.write(std::string_view(buffer.data(), used));
      used = 0;
    }
  }
  file.write(std::string_view(buffer.data(), used));
}

void Form1::delete_file(const std::string& name) {
  if (memory_files) {
    memory_files->erase(name);
    return;
  }
  std::string path = path_of(name);
  if (std::remove(path.c_str()) != 0 && errno != ENOENT)
    throw write_failure(path, std::string("cannot delete: ") + std::strerror(errno));
}

void Form1::open_input(const std::string& name) {
  close_input();
  input_name = name;
  row_kind_read.reset();  // no row of the new file is read yet
  row_first_number.reset();
  if (memory_files) {
    auto it = memory_files->find(name);
    if (it == memory_files->end()) throw reading_fault("cannot open the file: no such file");
    // A text file is read once and then deleted: its bytes move to the reader, not copied.
    input = std::make_unique<field_reader>(std::move(it->second));
    return;
  }
  whole_file f = read_whole_file(path_of(name));
  if (!f.ok) throw reading_fault("cannot open the file: " + f.reason);
  input = std::make_unique<field_reader>(std::move(f.bytes));
}

void Form1::close_input() {
  if (input && row_text_pending) {
    row_place.text = input->line_text_at(row_line_offset, row_place.column);
    for (field_start& f : row_fields)
      if (f.line != row_place.line) f.text = input->line_text_at(f.line_offset, f.column);
  }
  row_text_pending = false;
  keep_placing_source();
  input.reset();
}

// The compiler's placing rows (compiler/placed_objects.cc) name rows of files closed since.
void Form1::keep_placing_source() {
  for (placing_source& s : placing_sources)
    if (s.name == input_name && !s.text) s.text = std::move(input);
}

bool Form1::input_at_end() const { return !input || input->at_end(); }

static field_reader& slot(std::unique_ptr<field_reader>& input) {
  if (!input) throw reading_fault("no file is open");
  return *input;
}

void Form1::read_keyword(std::string& text) {
  row_kind_read.reset();
  row_first_number.reset();
  text = slot(input).read_text();
  row_kind_read = row_keyword_of(text, input_name == line_file_name(route_name));
  row_place = {shown_name(input_name), input->field_line(), input->field_column(), {}};
  row_line_offset = input->field_line_offset();
  row_text_pending = true;
  row_fields.clear();
}

static void note_field(std::vector<Form1::field_start>& fields, const field_reader& input) {
  fields.push_back({input.field_line(), input.field_column(), input.field_line_offset(), {}});
}

void Form1::read_field(std::string& text) {
  text = slot(input).read_text();
  note_field(row_fields, *input);
}
void Form1::read_field(int32_t& number) {
  number = slot(input).read_int32();
  if (row_fields.empty()) row_first_number = number;
  note_field(row_fields, *input);
}
void Form1::read_field(int16_t& number) {
  number = slot(input).read_int16();
  note_field(row_fields, *input);
}
void Form1::read_field(uint8_t& number) {
  number = slot(input).read_uint8();
  note_field(row_fields, *input);
}

source_location Form1::file_place(const std::string& name) const { return file_only(shown_name(name)); }

source_location Form1::row_location() const {
  source_location where = row_place;
  if (input && row_text_pending)
    where.text = input->line_text_at(row_line_offset, row_place.column);
  return where;
}

diagnostic Form1::at_row(diagnostic d) const {
  if (!row_kind_read) return d;
  d.row_kind = keyword_test_of(*row_kind_read).written;
  // The row's own place; a fault that records a position where the row's first number could
  // not be read keeps that.
  if (starts_with_metre(*row_kind_read)) {
    if (row_first_number)
      d.metre = *row_first_number;
    else if (d.position)
      d.metre = *d.position;
  }
  return d;
}

diagnostic Form1::row_diagnostic(int32_t code, std::optional<int32_t> position) const {
  return at_row(fault_at(row_location(), code, position));
}

source_location Form1::field_place(size_t k) const {
  if (row_place.line == 0 || k >= row_fields.size()) return row_location();
  const field_start& f = row_fields[k];
  if (f.line == row_place.line) {
    source_location at = row_place;
    at.column = f.column;
    if (input && row_text_pending) at.text = input->line_text_at(row_line_offset, f.column);
    return at;
  }
  std::string text = input && row_text_pending ? input->line_text_at(f.line_offset, f.column) : f.text;
  return {row_place.file, f.line, f.column, std::move(text)};
}

diagnostic Form1::field_diagnostic(size_t k, int32_t code, std::optional<int32_t> position,
                                   std::string detail) const {
  return at_row(fault_at(field_place(k), code, position, std::move(detail)));
}

void Form1::handle_reading_fault(const reading_fault& fault) {
  source_location where;
  if (!input_name.empty())
    where = {shown_name(input_name), fault.line, fault.column, fault.line_text};
  close_input();
  for (const std::string& name :
       {line_file_name(route_name), train_file_name(route_name, train_number)})
    if (file_exists(name)) delete_file(name);
  const diagnostic d = fault_at(where, 25, std::nullopt, fault.what());
  // A file that cannot be opened is no fault of a row.
  record_fault(fault.line > 0 ? at_row(d) : d);
}
