// tandrel-batch: builds a data set from the command line.
#include "batch/BatchRun.h"

int main(int argc, char** argv) {
  return tandrel::run_batch(argc, argv);
}
