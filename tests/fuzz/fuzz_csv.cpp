// Comma-separated text read row by row, as the import reads it.
#include "base/failure.h"
#include "fuzz/fuzz_support.h"
#include "tools/csv_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nav::runGuarded(
      [&] {
        navtools::CsvReader csv(navfuzz::bytes(data, size), "fuzz.csv");
        const auto id = csv.findColumn("id");
        while (csv.next()) {
          if (csv.rowFault()) continue;
          for (std::size_t c = 0; c < csv.columnCount(); ++c) (void)csv.field(c).size();
          if (id) (void)csv.field(*id);
        }
      },
      {});
  return 0;
}
