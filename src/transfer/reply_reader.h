// How the controller's answer to one frame is read: confirmations, the
// memory-full pause and its release, the repeat request and the bytes that
// stop the transfer. The sender's handshake and the simulated controller
// both judge an answer with it, so that the two sides always agree.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/transfer_record.h"

namespace transfer {

// Status texts of the replies (Windows-1252).
inline constexpr char kStatusMemoryFull[] = "QVM-Speicher voll! warte auf freigabe!";
inline constexpr char kStatusResume[] = "Sende weiter!";
inline constexpr char kStatusRepeat[] = "Daten nicht korrekt angekommen!";
inline constexpr char kStatusTransmissionError[] = "\xDC" "bertragungsfehler Abburch!";
inline constexpr char kStatusAbortedByMachine[] = "Abbruch durch die CNC-Maschine";
inline constexpr char kStatusUnknownError[] = "Unbekannte \xDC" "bertragungsfehler Abburch!";

// Reply bytes of the controller.
inline constexpr std::uint8_t kReplyRepeat = 21;
inline constexpr std::uint8_t kReplyAbort = 24;

// The port's XOff and XOn characters, which the controller uses for
// "memory full" and "go on".
struct ReplyCharacters {
  std::uint8_t memoryFull = 0;
  std::uint8_t release = 0;
};

// Where the answer to a frame stands.
enum class ReplyVerdict : std::uint8_t {
  kWaiting,   // nothing has answered the frame yet
  kPaused,    // memory full: every byte but the release character is discarded
  kAccepted,  // a confirmation or a released pause, with nothing more waiting behind it
  kRepeat,    // 21: the frame goes out again
  kStopped,   // the transfer stops; stopText() says why
};

class ReplyReader {
 public:
  explicit ReplyReader(ReplyCharacters characters) : characters_(characters) {}

  // The frame goes out (again): its answer starts from nothing.
  void Restart();

  // Bytes that arrived before the frame's last byte was handed to the line,
  // in order. They cannot answer the frame: a confirmation among them (6,
  // 17, 19, 50 or `startByte`, the controller's ready byte) is dropped, a
  // release ends a pause without answering; any other byte keeps its
  // meaning. Never kAccepted.
  ReplyVerdict ReadEarly(std::span<const std::uint8_t> bytes, std::uint8_t startByte,
                         std::vector<std::string>& shown);
  // Bytes that arrived once the frame was out: all those waiting now, in
  // order, so that the end of the span is "nothing more is waiting". The
  // memory-full character is tested first and so takes the place of a
  // confirmation equal to it. After a repeat or a stop the bytes behind are
  // not read, and further calls change nothing.
  ReplyVerdict Read(std::span<const std::uint8_t> bytes, std::vector<std::string>& shown);

  // The status text that stopped the transfer; empty unless kStopped.
  std::string_view stopText() const { return stopText_; }
  // The bytes read since the last call that showed a status text (every
  // reply but a plain confirmation), in order; their frame is left 0.
  std::vector<ControllerReply> TakeReplies();

 private:
  enum class State : std::uint8_t { kWaiting, kAnswered, kPaused, kRepeat, kStopped };

  void ReadByte(std::uint8_t byte, bool early, std::uint8_t startByte, std::vector<std::string>& shown);
  void Stop(std::uint8_t byte, std::string_view text, std::vector<std::string>& shown);
  void Note(std::uint8_t byte, std::string_view text, std::vector<std::string>& shown);
  bool Decided() const { return state_ == State::kRepeat || state_ == State::kStopped; }
  ReplyVerdict Verdict() const;

  ReplyCharacters characters_;
  State state_ = State::kWaiting;
  std::string_view stopText_;
  std::vector<ControllerReply> replies_;
};

}  // namespace transfer
