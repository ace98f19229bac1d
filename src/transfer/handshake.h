// The controller's one-byte handshake as a state machine: fed with the
// bytes that arrive and asked for the bytes to send, with no port and no
// clock in it. It waits for the controller's first byte, then sends the
// frames of a FrameSource one by one and reads each frame's answer with a
// ReplyReader. Status texts are Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/frame_source.h"
#include "transfer/reply_reader.h"
#include "transfer/transfer_record.h"

namespace transfer {

inline constexpr char kStatusWaiting[] = "Warte auf QVM-R\xFC" "ckmeldung!";
inline constexpr char kStatusSending[] = "Daten werden gesendet!";
inline constexpr char kStatusAbortedAtPc[] = "Abbruch am PC";
inline constexpr char kStatusFinished[] = "Daten\xFC" "bertragung beendet!";
inline constexpr char kPortMissing[] = "Ausgabeport nicht vorhanden oder ist defekt !";

enum class HandshakeState : std::uint8_t {
  kIdle,                  // not started
  kWaitingForController,  // for the controller's first byte
  kSending,               // the bytes of a frame are going out
  kAwaitingReply,         // the frame is out, its reply is being read
  kPaused,                // memory full: every byte but the release character is discarded
  kFinished,              // the last frame was accepted
  kStopped,               // a reply or the line stopped the transfer
  kAborted,               // the operator aborted
};

class Handshake {
 public:
  Handshake(FrameSource& frames, ReplyCharacters characters);

  // Starts waiting for the controller's first byte.
  void Start();
  // Bytes that have arrived: all those waiting at this moment, in order.
  // The end of the span is "no further byte is waiting". Which frame a byte
  // can answer follows from when it is fed:
  // - Fed before a frame's first byte was handed to the line (Sent), it is
  //   dropped: it belongs to the frame before.
  // - Fed after the first byte but before the last, it arrived before the
  //   frame was out and cannot answer it. A confirmation among such bytes
  //   (6, 17, 19, 50, or the controller's start byte, the first byte that
  //   ended the wait) is dropped; a release ends a pause without answering;
  //   any other byte (repeat 21, memory full, abort 24, 23, 31, unknown)
  //   keeps its meaning and is read once the frame is out.
  // - Fed after the last byte, it is the frame's answer.
  // So the caller reads what is waiting immediately before it hands a
  // frame's last byte to the line, and again after.
  void Received(std::span<const std::uint8_t> bytes);
  // The bytes to send now: the rest of the frame in progress; empty when
  // nothing is to be sent.
  std::span<const std::uint8_t> Output() const;
  // `count` bytes of Output() were taken by the line.
  void Sent(std::size_t count);
  // The operator's abort, in any state before the end (also while waiting
  // for the controller): shows kStatusAbortedAtPc; the frame in progress is
  // cut off.
  void Abort();
  // The line failed; `status` (naming the port) says why.
  void LineFailed(std::string_view status);

  HandshakeState state() const { return state_; }
  // Finished, stopped or aborted.
  bool Ended() const;
  // The status texts shown since the last call, in order.
  std::vector<std::string> TakeStatus();
  // Percent of the blocks the controller confirmed.
  int Progress() const;
  // What the transfer did so far: the counts, the replies and the last
  // confirmed block. The handshake fills all but the baud and the times,
  // which belong to whoever runs it.
  TransferRecord& record() { return record_; }
  const TransferRecord& record() const { return record_; }

 private:
  void StartFrame();
  void RepeatFrame();
  void Follow(ReplyVerdict verdict);
  void NoteReplies();
  void AcceptFrame();
  void Stop(std::string_view status);
  void Show(std::string_view status) { status_.emplace_back(status); }

  FrameSource& frames_;
  ReplyReader reader_;
  HandshakeState state_ = HandshakeState::kIdle;
  std::uint8_t startByte_ = 0;      // the controller's first byte
  Frame frame_;
  std::vector<std::uint8_t> wire_;  // the frame in progress as it goes out
  std::size_t sent_ = 0;            // bytes of wire_ taken by the line
  std::vector<std::uint8_t> held_;  // arrived while the frame went out, read once it is out
  std::vector<std::string> status_;
  TransferRecord record_;
};

}  // namespace transfer
