// Where the blocks of a drawing run go: the interpreter hands every block it
// finishes to a sink, which appends it to the block store and tells each
// listener (the picture, which also hears the sent path). At the top of
// draw/: the interpreter and the picture both see it, neither the other.
#pragma once

#include <cstdint>
#include <vector>

#include "data/block_record.h"

namespace draw {

// How a finished block shows on a drawing.
enum class Trace : std::uint8_t {
  kNone,     // not at all: nothing moves, or its arc could not be worked out
  kPenMove,  // a rapid move: the pen goes to the end point, nothing drawn
  kLine,     // a feed move: a line to the end point
  kArc,      // an arc about the record's centre through `sweep`
};

struct BlockTrace {
  Trace kind = Trace::kNone;
  long double sweep = 0.0L;  // of an arc: signed angle in radians, positive counter-clockwise
};

class BlockListener {
 public:
  virtual ~BlockListener() = default;
  // One finished block, as the store holds it, and how it shows.
  virtual void BlockFinished(const data::BlockRecord& record, const BlockTrace& trace) = 0;
};

// The block store of a run and the listeners told of each block appended.
class BlockSink {
 public:
  // The store must outlive the sink.
  explicit BlockSink(data::BlockStore& store) : store_(store) {}

  // The listener must outlive the sink; listeners hear blocks in the order
  // they were added.
  void AddListener(BlockListener& listener) { listeners_.push_back(&listener); }

  const data::BlockStore& store() const { return store_; }
  bool Full() const { return store_.Full(); }
  void Clear() { store_.Clear(); }

  // Appends record to the store, then tells every listener; false (nothing
  // appended, nobody told) when the store is full.
  bool Emit(const data::BlockRecord& record, const BlockTrace& trace) {
    if (!store_.Append(record)) return false;
    for (BlockListener* listener : listeners_) listener->BlockFinished(record, trace);
    return true;
  }

 private:
  data::BlockStore& store_;
  std::vector<BlockListener*> listeners_;
};

}  // namespace draw
