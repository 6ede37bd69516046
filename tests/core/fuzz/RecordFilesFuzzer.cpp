// libFuzzer's entry for the record files (log.txt, the settings files, the tables). Run it
// for a few minutes after a change to the reader or to a file's loading:
//   tools/fuzz.sh record_files_fuzzer 180
#include "FuzzRecordFiles.h"

#include <unistd.h>

// The files of a run live in a temporary folder that nothing needs after a power cut: the
// syncs that make a write durable would only make each input wait on the disk.
extern "C" int fsync(int) { return 0; }
extern "C" int fdatasync(int) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzRecordFiles(data, size);
    return 0;
}
