// A serial line for transfer tests with a controller behind it: it reads
// the frames written to it and answers each by a script, one reply sequence
// per frame, handed over when the sender next sleeps. It also checks that
// the sender never sleeps after moving bytes and never loops without
// either moving bytes or sleeping. Beside it: the view that records what a
// transfer reports, and a store of numbered feed moves to send.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "data/block_record.h"
#include "transfer/frame_reader.h"
#include "transfer/serial_line.h"
#include "transfer/transfer_run.h"

namespace testing_support {

class ScriptedLine : public transfer::SerialLine {
 public:
  using Bytes = std::vector<std::uint8_t>;

  bool Open(const data::PortParameters& port) override {
    ++opens;
    openedWith = port;
    open = openResult;
    return openResult;
  }
  void Close() override {
    ++closes;
    open = false;
  }
  void DiscardBuffers() override {
    ++discards;
    arrived.clear();
    reader.Reset();
  }

  void ReadAvailable(std::vector<std::uint8_t>& into) override {
    CheckSomethingHappened();
    into.insert(into.end(), arrived.begin(), arrived.end());
    readSomething = !arrived.empty();
    wroteSinceRead = waitedSinceRead = false;
    arrived.clear();
    ++reads;
  }

  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    EXPECT_TRUE(open);
    if (written.empty()) waitsBeforeFirstWrite = waits.size();
    const std::size_t taken = std::min(bytes.size(), room);
    if (room != kUnlimited) room -= taken;
    written.insert(written.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    wroteSinceRead = wroteSinceRead || taken > 0;
    TakeFrames(bytes.first(taken));
    return taken;
  }

  void Wait(transfer::LineWait what) override {
    EXPECT_FALSE(readSomething || wroteSinceRead) << "slept after moving bytes";
    waitedSinceRead = true;
    waits.push_back(what);
    if (roomPerWait != kUnlimited) room = roomPerWait;
    if (!startSent) {
      arrived.push_back(startByte);
      startSent = true;
    }
    arrived.insert(arrived.end(), owed.begin(), owed.end());
    owed.clear();
    if (onWait) onWait(waits.size());
  }

  std::string Failure() const override { return failure; }

  // The frames received so far.
  std::vector<transfer::ReceivedFrame> frames;
  // Replies to frame k (counted from 0) are replies[k]; 6 for the others.
  std::vector<Bytes> replies;
  // Called after each wait with the number of waits so far.
  std::function<void(std::size_t)> onWait;
  // Called after each frame received with the number of frames so far.
  std::function<void(std::size_t)> onFrame;

  static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();
  std::size_t room = kUnlimited;         // bytes the line still takes
  std::size_t roomPerWait = kUnlimited;  // room again after each wait
  std::uint8_t startByte = 6;
  bool openResult = true;
  std::string failure;

  bool open = false;
  int opens = 0, closes = 0, discards = 0, reads = 0;
  data::PortParameters openedWith;
  Bytes written;
  Bytes arrived;  // waiting to be read
  Bytes owed;     // handed over at the next wait
  std::vector<transfer::LineWait> waits;
  std::size_t waitsBeforeFirstWrite = 0;

 private:
  // Every pass of the sender's loop reads once: between two reads either
  // bytes moved (the first read got some, or a write was taken) or the
  // sender slept.
  void CheckSomethingHappened() {
    if (reads > 0 && !readSomething && !wroteSinceRead && !waitedSinceRead) {
      ADD_FAILURE() << "looped without moving bytes or sleeping";
      failure = "spinning";  // ends the loop under test
    }
  }

  void TakeFrames(std::span<const std::uint8_t> bytes) {
    const std::size_t before = frames.size();
    reader.Feed(bytes, frames);
    for (std::size_t k = before; k < frames.size(); ++k) {
      if (k < replies.size()) {
        owed.insert(owed.end(), replies[k].begin(), replies[k].end());
      } else {
        owed.push_back(6);
      }
      if (onFrame) onFrame(k + 1);
    }
  }

  transfer::FrameReader reader;
  bool startSent = false;
  bool readSomething = false;  // the last read got bytes
  bool wroteSinceRead = false;
  bool waitedSinceRead = false;
};

struct RecordingView : transfer::TransferView {
  void Status(std::string_view text) override { status.emplace_back(text); }
  void Progress(int percent) override { progress.push_back(percent); }
  void Figures(const transfer::TransferRecord& record) override { figures.push_back(record.blocksConfirmed); }
  std::vector<std::string> status;
  std::vector<int> progress;
  std::vector<std::int32_t> figures;  // the last confirmed block each time
};

// Block i: "N000iG1X+000i.00", 16 characters, 18 with its CR LF; 14 blocks
// fill a frame.
inline data::BlockStore FeedMoves(int blocks) {
  data::BlockStore store;
  for (int i = 1; i <= blocks; ++i) {
    store.Append({.endX = static_cast<long double>(i), .mFlags = {}, .hasX = 1, .motion = data::kFeed});
  }
  return store;
}

}  // namespace testing_support
