// Form1: the front of the run. Its procedures are defined in the folder of their subsystem; its
// state sits in the small groups below, one per part of the run.
//
// Names: the Italian ones (Form_Load, memorizza_percorso, memo_segnale, ...) are the procedures
// of the run's design, kept under their own names so the run can be traced through them; the
// English ones are this program's helpers around them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "diagnostics/engine.h"
#include "files/keywords.h"
#include "source/field_reader.h"
#include "files/line_table.h"
#include "model/grid.h"
#include "model/rows.h"
#include "model/route_model.h"

class atomic_file;
class Form1;

// Thrown to end the run at once, after a message was printed on standard error: the process
// exits with `status`, and nothing after the throw is written.
struct program_end {
  int status;
};

// The route model the run builds: the grid of cells, the record table and the plan.
struct route_state {
  std::vector<track_cell> track_cells;  // cells 0 .. last_cell_index; empty until a route length
  std::array<scenario_record, scenario_record_count> scenario_records;
  route_plan_table route_plan;  // metres 0 .. grid_length, axes 0 (x) and 1 (y)
  int32_t plan_enabled = 0;
  int32_t grid_length = 0;
  int32_t last_cell_index = 0;

  bool has_grid() const { return !track_cells.empty(); }
  // The empty grid of a route of `route_length` m (model/grid.h: the run-out, the last cell
  // index); the plan too when it is enabled.
  void make_grid(int32_t route_length);
};

// Where the one open text file stands.
struct text_input_state {
  // Held by pointer so that a closed file's text can be kept (placed_objects_state).
  std::unique_ptr<field_reader> input;
  std::string input_name;
  // Where the row being handled starts: its keyword field, or the file alone between rows.
  // The row's text is taken from the reader only when a diagnostic needs it (row_line_offset),
  // or when the file is closed while the row's place is still wanted.
  source_location row_place;
  size_t row_line_offset = 0;
  bool row_text_pending = false;
  // Where each field read after the row's keyword starts, in order, so a fault can point at the
  // field that causes it. A field on another line than the keyword keeps that line's offset; its
  // text, like the row's, is built only when wanted (or when the file closes).
  struct field_start {
    int line = 0;
    int column = 0;
    size_t line_offset = 0;
    std::string text;  // filled in when the file closes
  };
  std::vector<field_start> row_fields;
  // The row's kind, from its keyword, and its first number after the keyword: a diagnostic at
  // the row carries its kind and, for a row that starts with one, its place along the route.
  std::optional<row_keyword> row_kind_read;
  std::optional<int32_t> row_first_number;
};

// The line file reader's state; the board texts' index is also read by the train file phase.
struct line_reader_state {
  std::string current_field;
  int32_t mountain_count = 0;
  std::array<int32_t, 81> mountain_ends{};  // entry 0 unused
  int32_t board_index = 80;
  int32_t gradient_cell_index = 0;
  int32_t previous_gradient = 0;
  int32_t plan_index = 2;
};

// The train file reader's state.
struct train_reader_state {
  int32_t speed_cell_index = 0;
  int32_t adhesion_cell_index = 0;
  int32_t previous_speed = 0;     // 0 before the first speed row
  int32_t previous_adhesion = 0;  // 0 before the first adhesion row
  int32_t station_counter = 1;
};

// Which row placed what the run keeps, for the warnings that tell when a later row takes it
// (compiler/placed_objects.cc). Kept small, with no text of its own: the words and the row's
// text are made only for a warning. Only cells written are kept, so a route with no objects
// costs nothing.
struct placed_objects_state {
  // What a row placed.
  enum class placed_kind : uint8_t {
    speed_board, indicator_board, signal, slowdown, speed_cut, station,  // objects in cells
    speed, adhesion, route_length, progressive,                          // values
  };
  // A row that placed something: its first field after the keyword (the keyword when it has
  // none), its kind and metre, and where it placed its object in metres (a station: its entry).
  struct placing_row {
    placed_kind what;
    uint8_t source;  // its file, in placing_sources
    std::optional<row_keyword> kind;
    std::optional<int32_t> metre;
    int line, column;
    size_t line_offset;
    int64_t at;
  };
  // A file that placing rows stand in; when it closes, its text is kept for their warnings.
  struct placing_source {
    std::string name;  // as the run names it
    std::unique_ptr<field_reader> text;
  };
  std::vector<placing_row> placing_rows;
  std::vector<placing_source> placing_sources;
  // By cell index, the entry of placing_rows that placed the cell's point object, or its
  // approach marker (marker_code).
  std::unordered_map<int64_t, uint32_t> point_placers;
  std::unordered_map<int64_t, uint32_t> marker_placers;
  // The last route length row, the last row of each kilometre progressive (entries 81 to 83 as
  // read), the last speed and adhesion rows.
  std::optional<uint32_t> route_length_placer;
  std::array<std::optional<uint32_t>, 3> progressive_placers;
  std::optional<uint32_t> speed_placer, adhesion_placer;
  // By record entry, each station's row, placed at its scheduled time: the timetable's warnings
  // point there.
  std::map<int, uint32_t> station_rows;
};

// What the run is given: names, folders, the plan switch and where messages go.
struct run_environment {
  std::string route_name;
  std::string train_number;
  std::string program_folder;   // where every file of the run lives
  std::string binary_folder;    // where the binary files go instead, when not empty
  int32_t plan_argument = 1;    // what Form_Load passes to memorizza_percorso
  // Standard error: "Attendere" when the run starts, the messages that end it, diagnostics.
  std::ostream* console = nullptr;
  // Names to show in diagnostics for the files read, by file name (the author's own files when
  // the run compiles them from memory).
  std::map<std::string, std::string> source_names;
  // When set, the run's text files live here, by file name, instead of in program_folder: the
  // compiler reads and deletes them without touching the disk.
  std::optional<std::map<std::string, std::string>> memory_files;
  bool write_binaries = true;  // false: the run compiles and finishes, but writes no binary file
  // false: a run that reported any fault writes no binary file, and earlier ones stay.
  bool write_on_fault = true;
  bool binaries_written = false;  // set once the binary files have replaced the old ones
  // Run once the grid is finished and stamped, before the binary files are written: a command's
  // own look at the finished route (the timetable's warnings, through report_warning, which
  // under --werror hold the files back).
  std::function<void(Form1&)> finished_route_check;
};

// The faults of the run: the last recorded code and position, and how many were reported.
struct fault_state {
  int32_t error_code = 0;
  int32_t error_position = 0;
  int faults_reported = 0;  // any makes the run end with status 1
  // Warnings that --werror (the engine's settings) made errors: the run ends with status 1 and
  // writes no binary file, even where faults would not stop it.
  int warnings_made_errors = 0;
  // Where recorded faults and the message that ends the run go: printed on the console as they
  // come, unless the caller sends them elsewhere (diagnostics.send_to).
  diagnostic_engine diagnostics{nullptr};
};

class Form1 : public route_state,
              public text_input_state,
              public line_reader_state,
              public train_reader_state,
              public placed_objects_state,
              public run_environment,
              public fault_state {
 public:
  Form1();

  // ---- Run sequence (builtin/) and error reporting (form1/) -------------------------------
  void Form_Load();
  [[noreturn]] void errore(const std::string& a);
  // Records a fault's code in error_code (and its position in error_position when it has one)
  // and reports it at once.
  void record_fault(const diagnostic& fault);
  // Reports a warning (warning_at, at_row) under the engine's settings; one made an error by
  // --werror is counted in warnings_made_errors.
  void report_warning(const diagnostic& warning);
  std::string shown_name(const std::string& file_name) const;

  // ---- Files (files/) ---------------------------------------------------------------------
  std::string path_of(const std::string& name) const;
  std::string binary_path_of(const std::string& name) const;
  void write_text_file(const std::string& name, const line_table& table);
  bool file_exists(const std::string& name) const;
  // The binary files are written into a file of the run's set (files/atomic_file.h).
  static void write_binary_file(atomic_file& file, const std::string& bytes);
  static void write_binary_file(atomic_file& file, const route_plan_table& plan);
  void delete_file(const std::string& name);
  // The one file slot for reading: open, read fields, test the end, close.
  void open_input(const std::string& name);  // a file that cannot be read is a reading fault
  void close_input();
  bool input_at_end() const;
  void read_keyword(std::string& text);  // a row's first field: the row starts there
  void read_field(std::string& text);
  void read_field(int32_t& number);
  void read_field(int16_t& number);
  void read_field(uint8_t& number);
  // After a reading fault: every file closed, the two text files that still exist deleted,
  // code 25 recorded with the place and reason.
  void handle_reading_fault(const reading_fault& fault);
  // The file alone, as the user knows it: for faults tied to no row.
  source_location file_place(const std::string& name) const;
  // A recorded code at the row being handled.
  diagnostic row_diagnostic(int32_t code, std::optional<int32_t> position = std::nullopt) const;
  // The row being handled, its text included (built here, not at each row read).
  source_location row_location() const;
  // Where field `k` of the row being handled starts (0 the first after the keyword); the row's
  // keyword when no such field was read.
  source_location field_place(size_t k) const;
  // The row's kind and place along the route, into a diagnostic made at the row.
  diagnostic at_row(diagnostic d) const;
  // A recorded code at field `k` of the row being handled, with what the code's meaning leaves
  // unsaid.
  diagnostic field_diagnostic(size_t k, int32_t code, std::optional<int32_t> position,
                              std::string detail = {}) const;

  // ---- Scenario source writers (builtin/) -------------------------------------------------
  void dati_linea();
  void dati_treno();

  // ---- Driver documents (builtin/) --------------------------------------------------------
  void dati_note();
  void dati_rallentamenti();
  void dati_scheda();

  // ---- Compiler (compiler/) ---------------------------------------------------------------
  void memorizza_dati();
  bool leggi_linea();  // the line file phase; false when the compiler ends without the train file
  void leggi_treno();  // the train file phase
  void progressive_ordina();
  void controlla_progressive();  // the end-of-pass check of the three progressives (code 2)
  static double minimo(double x, double y);
  void memo_montagna(const mountain_row& row);
  // The procedures that may refuse a row return the refusal; nothing is recorded by them.
  std::optional<diagnostic> memo_indicatori_v_max(const speed_board_row& row);
  std::optional<diagnostic> memo_segnale(const signal_row& row);
  std::optional<diagnostic> memo_rallentamento(const slowdown_row& row);
  // Each reads its row's fields after the keyword, in order.
  signal_row read_signal_fields();
  slowdown_row read_slowdown_fields();
  speed_board_row read_speed_board_fields();
  mountain_row read_mountain_fields();
  // Where objects came from, and the warnings when a later row takes what an earlier one
  // placed (compiler/placed_objects.cc). The row being handled, as the placer of `what` at
  // `at` (metres, or a station's entry), placed at its field `field` (0, the first after the
  // keyword, where the warnings of what it takes point): returns its entry in placing_rows.
  uint32_t note_placing_row(placed_kind what, int64_t at, size_t field = 0);
  // What a placing row placed, in words: "the signal at 1750 m", "station 2 (BORGO)", "speed".
  std::string placed_words(uint32_t row) const;
  // Where a placing row stands, its text included.
  source_location placing_place(uint32_t row) const;
  // The file being closed keeps its text when placing rows stand in it.
  void keep_placing_source();
  // Cell `index` holds a point object that row `placer` wrote into a free cell.
  void note_point_object(int64_t index, uint32_t placer);
  // Row `placer` writes its point object (a station's: its stop point) into cell `index`: a
  // point object of another row there is told lost; then the cell is the placer's.
  void take_point_cell(int64_t index, uint32_t placer);
  // Row `placer` writes approach marker `code` into cell `index`: another row's marker there,
  // if it differs, is told lost; then the marker is the placer's.
  void take_marker(int64_t index, uint8_t code, uint32_t placer);
  // Whether the run's settings silence the overwrite warnings (-Wno-overwrite).
  bool overwrite_silenced() const;
  // A warning of kind "overwrite" at field 0 of the row being handled; when `loser` is set, a
  // note at that row says `note`.
  void tell_overwrite(const std::string& detail, std::optional<uint32_t> loser,
                      const std::string& note);
  // The same at a row read before, not the one being handled.
  void tell_overwrite_at(uint32_t row, const std::string& detail,
                         const std::vector<std::pair<uint32_t, std::string>>& notes);
  // A speed or adhesion row (`what`) of value `value` at cell `n`, before it fills the cells
  // from `index` with `earlier`, the value of the row `before` it: tells when that row's value
  // then applies to one cell at most.
  void tell_running_loss(const std::string& what, std::optional<uint32_t> before, int32_t index,
                         int64_t n, int32_t earlier, int32_t value);
  // A warning of kind `name` at the row of the station in record entry `entry`, and a note at
  // another station's row; a station whose row is not known is told without a place.
  diagnostic station_warning(int entry, const std::string& name, const std::string& detail) const;
  related_place station_note(int entry, const std::string& message) const;
  // progressive_ordina leaves all three progressives (0, 0, 0): tells it at each given row that
  // held anything, before the entries as read are replaced. `by_start`: the starts do not add
  // up to 0, so a shared greatest start cleared them; else no value was above 0.
  void tell_cleared_progressives(bool by_start);

  // The range rule (model/grid.h) on this grid.
  bool within_grid(int32_t position, int32_t margin = kRowMargin) const;
  // Line file reader: the general phase (false when the compiler ends), one procedure per row
  // kind of the main phase, the closing fills and the checks the rows share.
  // How a row of either text file ends: the main loop goes on; reading stops and the phase's
  // closing steps run as at the end of the file; or the phase stops at once (the file closed and
  // deleted, the closing steps skipped, and for the line file no train file read).
  enum class row_outcome { next_row, end_of_reading, stop_phase };
  bool read_general_phase();
  row_outcome read_main_row();
  row_outcome read_gradient_row();
  row_outcome read_curve_row();
  row_outcome read_mountain_row();
  row_outcome read_speed_board_row();
  row_outcome read_indicator_board_row();
  void write_gradient_cell();  // the previous gradient into the next cell still to write
  void add_straight_point();
  void add_curved_point(double factor);
  void final_gradient_fill();
  void final_plan_fill();
  void end_line_file();  // closes and deletes the line file
  // The range rule at the row being read; records 15 when the row does not fit.
  bool row_fits_grid(int32_t position, int32_t margin = kRowMargin);
  // A fault of a place beyond the grid gets the route length row as a note.
  void note_the_grid(diagnostic& fault) const;
  // Every access of the readers and of the finishing pass to a cell: one outside the grid is a
  // reading fault (the readers report it at their row; the finishing pass keeps its indices
  // within the grid, and the command that runs it would report one as a failure).
  track_cell& grid_cell(int64_t index);
  [[noreturn]] void row_fault(const std::string& message) const;  // reading fault at the row
  row_outcome leggi_riga_treno(const std::string& keyword);  // every keyword test, in order
  row_outcome memo_velocita();
  row_outcome memo_aderenza();
  row_outcome memo_stazione();
  row_outcome memo_abbattimento();
  // Writes `code` into `field` of the cell at `index` and moves on, at least once, then while
  // index < until. Cells beyond the grid are not written.
  void riempi_celle(int32_t& index, int64_t until, uint8_t track_cell::*field, uint8_t code);
  // A value that does not fit where it is stored: a reading fault at the row being handled.
  int16_t fit_int16(int64_t value, const std::string& what) const;
  uint8_t fit_uint8(int64_t value, const std::string& what) const;
  int32_t fit_int32(int64_t value, const std::string& what) const;

  // ---- Finishing and output (finishing/) --------------------------------------------------
  void memorizza_percorso(int32_t j);
  int32_t codice_gara_st();
  int32_t codice_gara_og();
  // The finishing pass over the grid and its rules, one procedure each.
  void rifinisci_griglia();
  void metti_abbattimento(int32_t c);  // a speed cut of value 180 at a free cell
  void guardia_segnali(int32_t i);     // warning board at i
  void finestre_avvicinamento(int32_t i);  // slowdown start at i
  // The periodic markers of the slowdown starting at i; returns its end cell, or -1 when the
  // walk reached the grid's last cell without finding one.
  int32_t marcatori_periodici(int32_t i);
  void marcatore_uscita(int32_t e);  // the slowdown ends at e
  void timbra_codici();              // the fixed stamps and the check codes, with their guards
  void scrivi_file_binari();
};
