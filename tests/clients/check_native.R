# Reads a run's .dta and .sav with haven and compares them with its
# delimited data file and its Stata command file: the number of cases, the
# names (the .do file's for the .dta, the header's for the .sav), the labels,
# missing codes (.a in the .dta, user-missing in the .sav) and every value
# (reals within 1e-8). Prints what differs and exits 1; exits 0 when all agree.
#
#   Rscript check_native.R DATA SEP HEADER DO DTA SAV
#   SEP is comma, tab or space; HEADER is true or false.
suppressPackageStartupMessages(library(haven))
args <- commandArgs(trailingOnly = TRUE)
data_path <- args[1]; sep <- args[2]; header <- args[3] == "true"
do_path <- args[4]; dta_path <- args[5]; sav_path <- args[6]

faults <- character()
fault <- function(...) faults <<- c(faults, paste0(...))

separator <- switch(sep, comma = ",", tab = "\t", space = "")
data <- read.table(data_path, sep = separator, quote = "\"", header = FALSE,
                   colClasses = "character", strip.white = TRUE, comment.char = "",
                   na.strings = character(), skip = if (header) 1 else 0)
header_names <- if (header) {
  strsplit(gsub("\r", "", readLines(data_path, n = 1)), if (sep == "space") " +" else separator)[[1]]
} else NULL

do_lines <- sub("\r$", "", readLines(do_path))
infile <- grep("^infile ", do_lines, value = TRUE)
words <- strsplit(sub(" using .*", "", sub("^infile ", "", infile)), " ")[[1]]
stata_names <- words[seq(2, length(words), by = 2)]
codes <- as.numeric(sub(".*mv\\((-?[0-9]+)\\);$", "\\1", grep("^mvdecode ", do_lines, value = TRUE)))
labels <- sub("^label variable [^ ]+ \"(.*)\";$", "\\1", grep("^label variable ", do_lines, value = TRUE))

dta <- read_dta(dta_path)
sav <- read_sav(sav_path, user_na = TRUE)

check_file <- function(file, what, names_expected) {
  if (nrow(file) != nrow(data)) fault(what, ": ", nrow(file), " cases, the data file has ", nrow(data))
  if (!identical(names(file), names_expected))
    fault(what, ": names ", paste(names(file), collapse = " "), " instead of ", paste(names_expected, collapse = " "))
  if (ncol(file) != ncol(data)) return()
  for (c in seq_len(ncol(data))) {
    column <- file[[c]]
    label <- attr(column, "label")
    if (is.null(label) || label != labels[c]) fault(what, ": label of ", names(file)[c], " is ", label)
    text <- data[[c]]
    if (is.character(column)) {
      if (!identical(as.vector(column), text)) fault(what, ": texts of ", names(file)[c], " differ")
      next
    }
    expected <- as.numeric(text)
    is_code <- expected == codes[c]
    values <- as.numeric(unclass(column))
    if (what == "dta") {
      tagged <- is_tagged_na(column, "a")
      if (!identical(tagged, is_code)) fault("dta: .a of ", names(file)[c], " is not where the code ", codes[c], " is")
    } else {
      na_values <- attr(column, "na_values")
      if (any(is_code) && !(codes[c] %in% na_values)) fault("sav: ", names(file)[c], " does not declare ", codes[c], " missing")
      if (any(is.na(values))) fault("sav: system-missing values in ", names(file)[c])
      is_code <- rep(FALSE, length(is_code))
    }
    keep <- !is_code
    if (any(is.na(values[keep])) || any(abs(values[keep] - expected[keep]) > 1e-8))
      fault(what, ": values of ", names(file)[c], " differ")
  }
}

check_file(dta, "dta", stata_names)
check_file(sav, "sav", if (header) header_names else names(sav))
if (length(faults) > 0) {
  writeLines(head(faults, 20))
  quit(status = 1)
}
