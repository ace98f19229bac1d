// Block records made from fuzz input, as a drawing run would store them:
// each move starts where the one before ended (unless the input says
// otherwise), arcs carry a centre, a radius and a span, and every value is
// drawn from the reader's mix, non-finite ones included.
#pragma once

#include <cstdint>

#include "byte_reader.h"
#include "data/block_record.h"

namespace fuzz {

class RecordReader {
 public:
  explicit RecordReader(ByteReader& in) : in_(in) {}

  // The next record. Its tool slot is 0..3 mostly, any value sometimes.
  data::BlockRecord Next();

 private:
  void ReadMotion(data::BlockRecord& r, std::uint8_t flags);
  void ReadArc(data::BlockRecord& r, bool onCircle);
  void ReadWords(data::BlockRecord& r, std::uint8_t flags);

  ByteReader& in_;
  data::BlockRecord last_;
  std::int32_t line_ = 0;
};

}  // namespace fuzz
