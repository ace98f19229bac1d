// The settings reader on any file: a file of a whole record is read, a
// shorter one gives the defaults; the directory stays within the text
// limit; what was read survives writing and reading again unchanged; and
// the work area read draws a contour without trouble.
#include <string_view>

#include "data/settings.h"
#include "data/text.h"
#include "draw/picture/primitives.h"
#include "draw/picture/raster.h"
#include "draw/interpreter/run_context.h"
#include "draw/picture/surface.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"

namespace fuzz {
namespace {

// A line to the far corner of the work area and a half circle back.
void DrawContour(const data::Settings& settings) {
  // A small picture: clearing one of full size costs more than the rest.
  static draw::Raster raster(56, 45);
  draw::ClearPicture(raster);
  const draw::RunSettings run = draw::RunSettingsOf(settings);
  const draw::DrawTarget target{raster, run.workAreaX, run.workAreaY};
  data::BlockRecord move;
  move.hasX = move.hasY = 1;
  move.endX = run.workAreaX;
  move.endY = run.workAreaY;
  draw::FeedMove(move, target);
  data::BlockRecord arc = move;
  arc.startX = move.endX;
  arc.startY = move.endY;
  arc.endX = arc.endY = 0.0L;
  arc.centreX = move.endX / 2;
  arc.centreY = move.endY / 2;
  draw::DrawArc(arc, 3.14159265358979323846L, target);
}

}  // namespace

int FuzzSettings(const std::uint8_t* data, std::size_t size) {
  WriteFile(data::SettingsFileName(data::kDefaultControllerType),
            std::string_view(reinterpret_cast<const char*>(data), size));
  data::Settings settings;
  const data::SettingsDefaultsSource defaults{"/fuzz", {}};
  const bool read = data::ReadSettings(settings, ProcessDirectory(), defaults);
  Require(read == (size >= data::kSettingsRecordSize), "a whole record is read, a shorter file is not");
  Require(settings.programDirectory.size() <= data::kMaxText, "the directory stays within the text limit");

  const auto record = data::EncodeSettings(settings);
  Require(data::EncodeSettings(data::DecodeSettings(record)) == record, "settings survive a write and a read");
  DrawContour(settings);
  return 0;
}

}  // namespace fuzz
