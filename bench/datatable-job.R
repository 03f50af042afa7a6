# The side-by-side job in R data.table: the same data set as tandrel-batch
# --unit state --period 5 builds from a benchmark installation. Reads the
# data file (two threads), keeps the years asked for, takes each variable's
# missing code as NA, and writes per state and five-year period the mean,
# minimum and maximum of every variable and the count of merged records.
#
#   Rscript bench/datatable-job.R INSTALLATION FIRST LAST OUT.csv
suppressPackageStartupMessages(library(data.table))
args <- commandArgs(trailingOnly = TRUE)
dir <- args[1]
first <- as.integer(args[2])
last <- as.integer(args[3])
out <- args[4]
setDTthreads(2L)

mdf <- readLines(file.path(dir, "kivora.mdf"))
value_of <- function(key) sub(paste0('^', key, ' *= *"(.*)"$'), "\\1", grep(paste0("^", key, " "), mdf, value = TRUE)[1])
vars <- sub('^variable = "(.*)"$', "\\1", grep("^variable = ", mdf, value = TRUE))
fields <- strsplit(vars, ",", fixed = TRUE)
name <- vapply(fields, `[`, "", 1)
type <- vapply(fields, `[`, "", 2)
missing <- as.numeric(vapply(fields, function(f) f[length(f)], ""))
header <- value_of("label_line_in_data_file") == "true"

classes <- ifelse(type == "integer", "integer", ifelse(type == "real", "double", "character"))
dt <- fread(file.path(dir, value_of("data_file_name")), header = header, col.names = name,
            colClasses = classes, na.strings = c("", "."), nThread = 2L, showProgress = FALSE)
dt <- dt[year >= first & year <= last]
dt[, period := first + 5L * ((year - first) %/% 5L)]

keys <- c("ccode", "period")
numeric <- setdiff(name[type != "string"], c("ccode", "numcode", "year", "diaspora"))
text <- name[type == "string"]
for (j in numeric) {
  code <- missing[match(j, name)]
  set(dt, which(dt[[j]] == code), j, NA)
}
mean_of <- dt[, lapply(.SD, mean, na.rm = TRUE), by = keys, .SDcols = numeric]
min_of <- suppressWarnings(dt[, lapply(.SD, min, na.rm = TRUE), by = keys, .SDcols = c(numeric, text)])
max_of <- suppressWarnings(dt[, lapply(.SD, max, na.rm = TRUE), by = keys, .SDcols = c(numeric, text)])
count_of <- dt[, .(cases = .N), by = keys]
setnames(mean_of, numeric, paste0(numeric, "_mean"))
setnames(min_of, c(numeric, text), paste0(c(numeric, text), "_min"))
setnames(max_of, c(numeric, text), paste0(c(numeric, text), "_max"))
# Every grouping ran over the same table by the same keys, so the groups
# come in the same order: the pieces go side by side without a join.
result <- cbind(mean_of, min_of[, !..keys], max_of[, !..keys], count_of[, !..keys])
setorderv(result, keys)
fwrite(result, out, nThread = 2L)
