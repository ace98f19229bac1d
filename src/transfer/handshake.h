// The controller's one-byte handshake as a state machine: fed with the
// bytes that arrive and asked for the bytes to send, with no port and no
// clock in it. It waits for the controller's first byte, then sends the
// frames of a FrameSource one by one and reads the replies: confirmations,
// a repeat request, the memory-full pause and its release, and the bytes
// that stop the transfer. Status texts are Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/frame_source.h"

namespace transfer {

inline constexpr char kStatusWaiting[] = "Warte auf QVM-R\xFC" "ckmeldung!";
inline constexpr char kStatusSending[] = "Daten werden gesendet!";
inline constexpr char kStatusMemoryFull[] = "QVM-Speicher voll! warte auf freigabe!";
inline constexpr char kStatusResume[] = "Sende weiter!";
inline constexpr char kStatusRepeat[] = "Daten nicht korrekt angekommen!";
inline constexpr char kStatusTransmissionError[] = "\xDC" "bertragungsfehler Abburch!";
inline constexpr char kStatusAbortedByMachine[] = "Abbruch durch die CNC-Maschine";
inline constexpr char kStatusUnknownError[] = "Unbekannte \xDC" "bertragungsfehler Abburch!";
inline constexpr char kStatusAbortedAtPc[] = "Abbruch am PC";
inline constexpr char kStatusFinished[] = "Daten\xFC" "bertragung beendet!";
inline constexpr char kPortMissing[] = "Ausgabeport nicht vorhanden oder ist defekt !";

// Reply bytes of the controller.
inline constexpr std::uint8_t kReplyRepeat = 21;
inline constexpr std::uint8_t kReplyAbort = 24;

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

// The port's XOff and XOn characters, which the controller uses for
// "memory full" and "go on".
struct ReplyCharacters {
  std::uint8_t memoryFull = 0;
  std::uint8_t release = 0;
};

class Handshake {
 public:
  Handshake(FrameSource& frames, ReplyCharacters characters);

  // Starts waiting for the controller's first byte.
  void Start();
  // Bytes that have arrived: all those waiting at this moment, in order.
  // The end of the span is "no further byte is waiting". Bytes that arrive
  // while a frame goes out are read as its replies once it is out (a frame
  // answered by them is accepted at the next call, which says whether more
  // waits); bytes waiting before a frame's first byte goes out are dropped.
  void Received(std::span<const std::uint8_t> bytes);
  // The bytes to send now: the rest of the frame in progress; empty when
  // nothing is to be sent.
  std::span<const std::uint8_t> Output() const;
  // `count` bytes of Output() were taken by the line.
  void Sent(std::size_t count);
  // The operator's abort; the frame in progress is cut off.
  void Abort();
  // The line failed; `status` (naming the port) says why.
  void LineFailed(std::string_view status);

  HandshakeState state() const { return state_; }
  // Finished, stopped or aborted.
  bool Ended() const;
  // The status texts shown since the last call, in order.
  std::vector<std::string> TakeStatus();
  // Percent of the blocks converted so far.
  int Progress() const;

 private:
  void StartFrame();
  void RepeatFrame();
  void ReadReplies(std::span<const std::uint8_t> bytes);
  bool ReadReply(std::uint8_t byte);
  void AcceptFrame();
  void Stop(std::string_view status);
  void Show(std::string_view status) { status_.emplace_back(status); }

  FrameSource& frames_;
  ReplyCharacters characters_;
  HandshakeState state_ = HandshakeState::kIdle;
  Frame frame_;
  std::vector<std::uint8_t> wire_;  // the frame in progress as it goes out
  std::size_t sent_ = 0;            // bytes of wire_ taken by the line
  std::vector<std::uint8_t> held_;  // arrived while the frame went out: its first replies
  bool answered_ = false;           // a confirmation (or a released pause) was read for this frame
  std::vector<std::string> status_;
};

}  // namespace transfer
