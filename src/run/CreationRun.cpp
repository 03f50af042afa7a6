#include "run/CreationRun.h"

#include <chrono>
#include <memory>
#include <optional>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "engine/FillSteps.h"
#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "engine/Provenance.h"
#include "output/Codebook.h"
#include "output/CommandFileFormats.h"
#include "output/CommandFiles.h"
#include "output/DataLine.h"
#include "output/DataLinesAhead.h"
#include "output/Destination.h"
#include "output/NativeFiles.h"
#include "output/NativeSpill.h"
#include "output/OutputColumns.h"
#include "output/OutputFiles.h"
#include "output/ProvenanceColumns.h"
#include "output/RunFiles.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/GroupIndex.h"
#include "reference/InstallationFiles.h"
#include "reference/Regions.h"

namespace tandrel {

namespace {

constexpr const char* kTroubleWriting =
    "Trouble opening/writing to output file.  Check selections and files and try again.";

// What one run works on; owned here so every path frees it in order.
struct RunState {
  configuration_type configuration;
  user_selection_type selections;
  Tuser_data_set_listing_obj description;
  const ReferenceData& reference;
  std::unique_ptr<TKIV_array_obj> data;
  std::unique_ptr<TKIV_Sort_Obj> sort;
  // The variables with provenance columns (none when not asked for), and
  // which of their values the data file held before the filling steps.
  std::vector<std::int32_t> provenance;
  ObservedValues observed;
  const RunEndReport& report;
};

// The cases of the sorted records: runs of one case number whose first
// record is not blank (a blank case is never written).
std::vector<CaseSpan> cases_to_write(const TKIV_Sort_Obj& sort) {
  std::vector<CaseSpan> cases;
  const std::int32_t last_index = sort.last_record_index();
  std::int32_t first = 0;
  for (std::int32_t k = 1; k <= last_index + 1; ++k) {
    if (k <= last_index && sort.get_record(k).case_number == sort.get_record(first).case_number)
      continue;
    if (!sort.record_is_blank(first)) cases.push_back({first, k - 1});
    first = k;
  }
  return cases;
}

// Rows of the cases in flight: the helper of DataLinesAhead builds at most
// three chunks ahead of the case being written, so a ring of eight chunks
// never hands it a row the main thread has yet to keep.
constexpr std::size_t kRowsInFlight = DataLinesAhead::kChunk * 8;

// Writes the data line of every case, with a progress step for every record.
// With `native`, the values of every case are kept there as well, each
// once its line is written.
int write_cases(RunState& run, Ttrace_obj& progress, OutputChannel& channel,
                const std::string& separator, std::unique_ptr<NativeSpill>& native,
                const output_variable_lists& lists) {
  const std::size_t columns = lists.size();
  const TKIV_Sort_Obj& sort = *run.sort;
  const bool merged = sort.has_merged_cases();
  const Tregion_list_info_obj& regions = run.reference.regions;
  const std::vector<CaseSpan> cases = cases_to_write(sort);
  std::unique_ptr<NativeTable> in_flight;
  if (wants_native_files(run.selections) || wants_codebook(run.selections)) {
    native = std::make_unique<NativeSpill>(columns, declared_kinds(lists));
    in_flight = std::make_unique<NativeTable>(kRowsInFlight, columns);
  }
  const std::size_t provenance_at =
      columns - provenance_column_count(run.provenance.size(), merged);
  DataLinesAhead lines(cases, [&](const CaseSpan& c, std::string& line) {
    const std::size_t index = static_cast<std::size_t>(&c - cases.data());
    TaggedValue* cells = in_flight ? in_flight->row(index % kRowsInFlight) : nullptr;
    construct_data_line(*run.data, sort, run.description, run.selections, regions, separator, line,
                        c.first, c.last, merged, cells);
    if (run.provenance.empty()) return;
    std::vector<CaseProvenance> provenance;
    case_provenance(*run.data, sort, run.provenance, run.observed, c.first, c.last, provenance);
    append_provenance_values(line, provenance_values(provenance, merged), merged, separator,
                             cells ? cells + provenance_at : nullptr);
  });
  const std::int32_t last_index = sort.last_record_index();
  std::int32_t ticked = 0;
  auto tick_through = [&](std::int32_t record) {
    for (; ticked <= record; ++ticked)
      progress.Tick("Executing Procedure: Write final output", last_index);
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    tick_through(cases[i].last);
    write_data_line(lines.line(i), channel, run.selections, separator);
    if (native) native->append(in_flight->row(i % kRowsInFlight));
  }
  tick_through(last_index);
  return static_cast<int>(cases.size());
}

MethodsFacts methods_facts(const RunState& run, std::int64_t cases) {
  return {run.selections,
          name_part(run.description.get_data_file_name(0)),
          run.configuration.data_set_version,
          run.configuration.citation,
          cases,
          run.selections.variable_selections.variable_columns.size()};
}

// A set of files that would take the place of one of the installation's
// own files, or whose members would land on each other, is refused before
// anything is opened.
bool output_refused(const std::vector<RunFile>& names, const std::vector<InstallationFile>& inputs,
                    RunResult& result, bool reported) {
  auto refusal = run_files_refusal(names, inputs);
  if (!refusal) return false;
  error(*refusal, 0, noncritical);  // the log keeps it; the user reads it in a message box
  result.failure = *refusal;
  if (!reported) os().message_box(*refusal, platform::MessageKind::Error);
  return true;
}

// How long a run waits for another run writing the same files.
constexpr auto kLockPatience = std::chrono::seconds(60);

// Takes the lock of the set, and tells what it found a killed run had left.
void lock_output(OutputFiles& files, const std::vector<RunFile>& names, Ttrace_obj& progress) {
  const auto give_up = std::chrono::steady_clock::now() + kLockPatience;
  const std::vector<std::string> mended = files.lock(names, [&] {
    progress.Tick("Waiting for another run writing the same files", 0);
    return std::chrono::steady_clock::now() < give_up;
  });
  if (mended.empty()) return;
  std::string text = "A run that was stopped had left files beside " + names.front().name + ":";
  for (const std::string& line : mended) text += "\n  " + line;
  error(text, 0, noncritical);
  os().message_box(text, platform::MessageKind::Information);
}

// Writes the header, the data lines, the native files and the command
// files into `channel` and the run's set of files.
void write_contents(RunState& run, Ttrace_obj& progress, RunResult& result, OutputChannel& channel,
                    OutputFiles& files) {
  display_output_array_type rows;
  output_variable_lists lists;
  std::string header_line, separator;
  const bool merged = run.sort->has_merged_cases();
  set_header(run.description, merged, run.selections, rows, lists, header_line, separator);
  add_provenance_columns(run.description, run.provenance, merged, rows, lists, header_line,
                         separator);
  if (run.selections.output_format.header_line) write_header(channel, run.selections, header_line);
  std::unique_ptr<NativeSpill> native;
  result.cases_written = write_cases(run, progress, channel, separator, native, lists);
  // Before the command files, which may shorten the names.
  if (native) {
    NativeSource source{run.selections, merged, rows, lists,
                        absolute_file_name(run.selections.output_format.output_file_name)};
    source.files = &files;
    if (wants_native_files(run.selections)) write_native_files(source, *native);
    if (wants_codebook(run.selections))
      write_codebook(methods_facts(run, result.cases_written), source, *native);
  }
  if (!run.selections.output_format.command_files.empty()) {
    // The command files read the data file back for the width of its texts.
    channel.flush();
    write_command_files(run.selections, result.cases_written, separator, merged, rows, lists,
                        &files);
  }
}

// Step 7 of the run: everything that writes. Returns whether the output was
// opened and written; failures are reported here. The data file and its
// command files take their final names together, only once all are written;
// on every other path (an interrupt included) the earlier files stay.
bool write_output(RunState& run, Ttrace_obj& progress, RunResult& result) {
  const std::vector<InstallationFile> inputs =
      installation_files(run.configuration, &run.description);
  const std::vector<RunFile> names = run_files(run.selections);
  const bool reported = static_cast<bool>(run.report);
  if (output_refused(names, inputs, result, reported)) return false;
  OutputFiles files(inputs);
  OutputChannel channel;
  bool opened = false;
  try {
    lock_output(files, names, progress);
    {
      // A file that cannot be created is told once, by the report.
      std::optional<LogOnlyScope> told_once;
      if (reported) told_once.emplace();
      open_output(run.selections, channel, opened, &files);
    }
    if (!opened) return false;
    try {
      write_contents(run, progress, result, channel, files);
    } catch (const std::exception&) {
      close_output(run.selections, channel);
      throw;  // the set removes its temporary files on the way out
    }
    close_output(run.selections, channel);
    // A stop asked for until the last file stands in place puts the earlier
    // files back; after that the run is complete.
    files.commit([] {
      trace().Message("Moved the files of the run into place");
      return true;
    });
    return true;
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const std::exception& e) {
    if (dynamic_cast<const EInOutError*>(&e) != nullptr) {
      error(e.what(), 0, noncritical);
      result.failure = e.what();
    }
    error(kTroubleWriting, reported ? 0 : 2, noncritical);
    return false;
  }
}

// Steps 2 to 9: load, fill, sort, write, free.
void run_steps(RunState& run, Ttrace_obj& progress, RunResult& result) {
  const user_selection_type& s = run.selections;
  Tgroup_index_obj& groups = run.reference.groups;
  run.data = std::make_unique<TKIV_array_obj>(run.description, run.configuration, 0, s.first_year,
                                              s.last_year, s, run.reference);
  if (s.output_format.provenance_columns) {
    run.provenance = provenance_variables(run.description, s);
    if (s.interpolate)
      run.observed = ObservedValues(*run.data, run.provenance, s.first_year, s.last_year);
  }
  run_fill_steps(*run.data, s);
  run.sort = std::make_unique<TKIV_Sort_Obj>(*run.data, groups, s.first_year, s.last_year);
  run.sort->set_output_cases(s);
  result.output_written = write_output(run, progress, result);
  run.sort.reset();
  run.data.reset();
}

// Step 10, on every path: ends and frees the progress trace and tells the user.
void finish_run(std::unique_ptr<Ttrace_obj>& progress, const RunResult& result,
                const RunEndReport& report) {
  progress->TickDone();
  progress.reset();
  if (report)
    report(result);
  else
    os().message_box(result.output_written ? kOutputComplete : kOutputNotComplete);
  trace().Exit("Completed Output Procedure and KIV released data files.");
}

}  // namespace

RunResult run_output_procedure(configuration_type configuration, user_selection_type selections,
                               Tuser_data_set_listing_obj description,
                               const ReferenceData& reference, const RunEndReport& report) {
  trace().Enter("Entered Output Procedure");
  RunState run{std::move(configuration),
               std::move(selections),
               std::move(description),
               reference,
               {},
               {},
               {},
               {},
               report};
  RunResult result;
  auto progress =
      std::make_unique<Ttrace_obj>(trace().GetLevel(), "Preparing for output procedures");
  try {
    run_steps(run, *progress, result);
  } catch (const std::exception& e) {
    run.sort.reset();
    run.data.reset();
    result.interrupted = dynamic_cast<const EUserInterrupt*>(&e) != nullptr;
    try {
      finish_run(progress, result, report);
    } catch (const EUserInterrupt&) {
      // The interrupt that brought us here is passed on below.
    }
    throw;
  }
  try {
    finish_run(progress, result, report);
  } catch (const EUserInterrupt&) {
    // A stop asked for once the files stood in place comes too late to
    // undo them: the run is complete and has said so.
    if (!result.output_written) throw;
    globals().user_interrupt = false;
  }
  return result;
}

}  // namespace tandrel
