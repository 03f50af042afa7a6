# Reads the values of the texts installation back with R: the .dta and .sav
# through haven, the .sav PSPP saved after running the .sps, and, for a
# comma or tab separator, the data file through read.csv and readr. Each
# must equal the values the installation put in (expected.txt). Prints what
# differs and exits 1; exits 0 when all agree.
#
#   Rscript check_texts.R EXPECTED DATA SEP HEADER DTA SAV [PSPP_SAV ...]
suppressPackageStartupMessages({ library(haven); library(readr) })
args <- commandArgs(trailingOnly = TRUE)
expected_path <- args[1]; data_path <- args[2]; sep <- args[3]; header <- args[4] == "true"
dta_path <- args[5]; sav_path <- args[6]; pspp_paths <- args[-(1:6)]

faults <- character()
fault <- function(...) faults <<- c(faults, paste0(...))

from_hex <- function(h) {
  if (nchar(h) == 0) return("")
  text <- rawToChar(as.raw(strtoi(substring(h, seq(1, nchar(h), 2), seq(2, nchar(h), 2)), 16L)))
  Encoding(text) <- "UTF-8"
  text
}
expected <- read.delim(expected_path, header = FALSE, comment.char = "#", colClasses = "character")
want <- list(year = as.numeric(expected[[1]]), group = unname(sapply(expected[[2]], from_hex)),
             big = as.numeric(expected[[3]]), share = as.numeric(expected[[4]]),
             count = as.numeric(expected[[5]]), note = unname(sapply(expected[[6]], from_hex)))
# Positions of the columns in every file: year_1 year_2 numcode group year
# ccode region is_kiv big_number share count note.
at <- c(group = 4, year = 5, big = 9, share = 10, count = 11, note = 12)

same_texts <- function(what, name, got, wanted) {
  got <- enc2utf8(as.character(got))
  for (r in seq_along(wanted))
    if (!identical(got[r], wanted[r]))
      fault(what, ": ", name, " case ", r, " reads ", encodeString(substr(iconv(got[r], "UTF-8", "UTF-8", sub = "?"), 1, 60), quote = '"'),
            " (", nchar(got[r], "bytes"), " bytes) instead of ",
            encodeString(substr(wanted[r], 1, 60), quote = '"'), " (", nchar(wanted[r], "bytes"), " bytes)")
}

# `code_read_as`: "na" where the missing code -99 reads as missing, "code"
# where it reads as itself.
same_numbers <- function(what, name, got, wanted, code_read_as) {
  got <- as.numeric(unclass(got))
  for (r in seq_along(wanted)) {
    w <- wanted[r]
    ok <- if (w == -99 && code_read_as == "na") is.na(got[r]) else
      !is.na(got[r]) && abs(got[r] - w) <= 1e-8 * max(1, abs(w))
    if (!ok) fault(what, ": ", name, " case ", r, " reads ", format(got[r], digits = 15), " instead of ", w)
  }
}

# SPSS pads texts with blanks, so it cannot keep a text's own trailing
# blanks; the run reports that, and the SPSS readers are held to the rest.
check_frame <- function(what, frame, code_read_as, spss = FALSE) {
  if (nrow(frame) != length(want$year)) {
    fault(what, ": ", nrow(frame), " cases instead of ", length(want$year))
    return()
  }
  if (ncol(frame) != 12) {
    fault(what, ": ", ncol(frame), " columns instead of 12")
    return()
  }
  trim <- if (spss) function(x) sub(" +$", "", x) else identity
  same_texts(what, "group", frame[[at["group"]]], trim(want$group))
  same_texts(what, "note", frame[[at["note"]]], trim(want$note))
  for (k in c("year", "big", "share", "count"))
    same_numbers(what, k, frame[[at[k]]], want[[k]], if (k == "year") "code" else code_read_as)
}

check_frame("haven .dta", read_dta(dta_path), "na")
check_frame("haven .sav", read_sav(sav_path, user_na = TRUE), "code", spss = TRUE)
for (p in pspp_paths)
  check_frame(paste("PSPP", basename(p)), read_sav(p, user_na = TRUE), "code", spss = TRUE)

if (sep != "space") {
  delimiter <- if (sep == "comma") "," else "\t"
  base <- read.csv(data_path, sep = delimiter, header = header, colClasses = "character",
                   strip.white = FALSE, na.strings = character(), encoding = "UTF-8")
  check_frame("read.csv", base, "code")
  tidy <- read_delim(data_path, delim = delimiter, col_names = header, trim_ws = FALSE,
                     col_types = cols(.default = col_character()), na = character(),
                     quote = "\"", escape_double = TRUE, progress = FALSE)
  check_frame("readr", tidy, "code")
}

if (length(faults) > 0) {
  writeLines(head(faults, 30))
  quit(status = 1)
}
