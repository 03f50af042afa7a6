#include "run/CreationRun.h"

#include <memory>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "engine/FillSteps.h"
#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "output/CommandFileFormats.h"
#include "output/CommandFiles.h"
#include "output/DataLine.h"
#include "output/DataLinesAhead.h"
#include "output/Destination.h"
#include "output/NativeFiles.h"
#include "output/NativeSpill.h"
#include "output/OutputColumns.h"
#include "output/OutputFiles.h"
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
                std::size_t columns) {
  const TKIV_Sort_Obj& sort = *run.sort;
  const bool merged = sort.has_merged_cases();
  const Tregion_list_info_obj& regions = run.reference.regions;
  const std::vector<CaseSpan> cases = cases_to_write(sort);
  std::unique_ptr<NativeTable> in_flight;
  if (wants_native_files(run.selections)) {
    native = std::make_unique<NativeSpill>(columns);
    in_flight = std::make_unique<NativeTable>(kRowsInFlight, columns);
  }
  DataLinesAhead lines(cases, [&](const CaseSpan& c, std::string& line) {
    const std::size_t index = static_cast<std::size_t>(&c - cases.data());
    TaggedValue* cells = in_flight ? in_flight->row(index % kRowsInFlight) : nullptr;
    construct_data_line(*run.data, sort, run.description, run.selections, regions, separator, line,
                        c.first, c.last, merged, cells);
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

// A data file that would take the place of one of the installation's own
// files is refused before anything is opened.
bool output_refused(const RunState& run, const std::vector<InstallationFile>& inputs) {
  const output_format_type& format = run.selections.output_format;
  if (format.destination != output_destination_type::DestFile) return false;
  auto refusal = overwrite_refusal(format.output_file_name, inputs, "output file");
  if (!refusal) return false;
  error(*refusal, 0, noncritical);  // the log keeps it; the user reads it in a message box
  os().message_box(*refusal, platform::MessageKind::Error);
  return true;
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
  if (run.selections.output_format.header_line) write_header(channel, run.selections, header_line);
  std::unique_ptr<NativeSpill> native;
  result.cases_written = write_cases(run, progress, channel, separator, native, lists.size());
  // Before the command files, which may shorten the names.
  if (native) {
    NativeSource source{run.selections, merged, rows, lists,
                        absolute_file_name(run.selections.output_format.output_file_name)};
    source.files = &files;
    write_native_files(source, *native);
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
  if (output_refused(run, inputs)) return false;
  OutputFiles files(inputs);
  OutputChannel channel;
  bool opened = false;
  try {
    open_output(run.selections, channel, opened, &files);
    if (!opened) return false;
    try {
      write_contents(run, progress, result, channel, files);
    } catch (const std::exception&) {
      close_output(run.selections, channel);
      throw;  // the set removes its temporary files on the way out
    }
    close_output(run.selections, channel);
    files.commit();
    return true;
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const std::exception& e) {
    if (dynamic_cast<const EInOutError*>(&e) != nullptr) error(e.what(), 0, noncritical);
    error(kTroubleWriting, 2, noncritical);
    return false;
  }
}

// Steps 2 to 9: load, fill, sort, write, free.
void run_steps(RunState& run, Ttrace_obj& progress, RunResult& result) {
  const user_selection_type& s = run.selections;
  Tgroup_index_obj& groups = run.reference.groups;
  run.data = std::make_unique<TKIV_array_obj>(run.description, run.configuration, 0, s.first_year,
                                              s.last_year, s, run.reference);
  run_fill_steps(*run.data, s);
  run.sort = std::make_unique<TKIV_Sort_Obj>(*run.data, groups, s.first_year, s.last_year);
  run.sort->set_output_cases(s);
  result.output_written = write_output(run, progress, result);
  run.sort.reset();
  run.data.reset();
}

// Step 10, on every path: ends and frees the progress trace and tells the user.
void finish_run(std::unique_ptr<Ttrace_obj>& progress, const RunResult& result) {
  progress->TickDone();
  progress.reset();
  os().message_box(result.output_written ? kOutputComplete : kOutputNotComplete);
  trace().Exit("Completed Output Procedure and KIV released data files.");
}

}  // namespace

RunResult run_output_procedure(configuration_type configuration, user_selection_type selections,
                               Tuser_data_set_listing_obj description,
                               const ReferenceData& reference) {
  trace().Enter("Entered Output Procedure");
  RunState run{
      std::move(configuration), std::move(selections), std::move(description), reference, {}, {}};
  RunResult result;
  auto progress =
      std::make_unique<Ttrace_obj>(trace().GetLevel(), "Preparing for output procedures");
  try {
    run_steps(run, *progress, result);
  } catch (const std::exception&) {
    run.sort.reset();
    run.data.reset();
    try {
      finish_run(progress, result);
    } catch (const EUserInterrupt&) {
      // The interrupt that brought us here is passed on below.
    }
    throw;
  }
  finish_run(progress, result);
  return result;
}

}  // namespace tandrel
