#pragma once
// Every transition effect, one function each, grouped by family in family_*.cpp. The
// effect table (effect_table.h) binds them to their ids; nothing else calls them.
//
// Writing an effect (family_lines_strips.cpp, BlindsHorizontal, is the model):
//   1. `if (!stage.ComposeNextFrame()) return;` - loads the next picture and composes the
//      complete next screen into the frame; false means draw nothing at all.
//   2. Draw the random choices right after that, with NextRandom() (common/random15.h).
//   3. Draw each step only with stage.Copy / CopyFrom / StretchCopy (through
//      stage.SetClip(...) regions where the shape is not a rectangle); never write to the
//      window buffer, never present: the stage presents at its pacing points.
//   4. End each step with stage.EndStep(i, n, [counter,] DemoPace{...}): WaitStep(i, n) in
//      a show, the effect's fixed demonstration sleep in the maker's demonstration; return
//      at once when it gives false.
//   5. Poll stage.IsStopRequested() before each step (and before each copy where the
//      effect says so) and return at once when it is set.
// Regions and arrays live in locals, so nothing outlives the effect; RunTransition clears
// the clip before and after each effect.
// tests/effects/effect_harness.h runs an effect on a small stage with a fake clock.

namespace gd {
class SlideStage;
}

namespace gd::fx {

// Shows the new frame at once: the end of every effect and the whole of effect 0.
void DisplayOnly(SlideStage& stage);

// Lines and strips (family_lines_strips.cpp)
void BlindsHorizontal(SlideStage& stage);
void BlindsVertical(SlideStage& stage);
void Grid(SlideStage& stage);
void SlidingJawsHorizontal(SlideStage& stage);
void SlidingJawsVertical(SlideStage& stage);
void RollHorizontal(SlideStage& stage);
void RollVertical(SlideStage& stage);
void SlideCenter(SlideStage& stage);
void SlideMiddle(SlideStage& stage);
void VeilHorizontal(SlideStage& stage);
void VeilVertical(SlideStage& stage);

// Random order and cells (family_random_cells.cpp)
void Mosaic(SlideStage& stage);
void RandomLinesHorizontal(SlideStage& stage);
void RandomLinesVertical(SlideStage& stage);
void Spire(SlideStage& stage);

// Cross, square and corner (family_cross_square_corner.cpp)
void CrossIn(SlideStage& stage);
void CrossOut(SlideStage& stage);
void SquareIn(SlideStage& stage);
void SquareOut(SlideStage& stage);
void SlideFromCorner(SlideStage& stage);

// Round, arris and star (family_round_arris_star.cpp)
void RoundIn(SlideStage& stage);
void RoundOut(SlideStage& stage);
void ArrisIn(SlideStage& stage);
void ArrisOut(SlideStage& stage);
void StarIn(SlideStage& stage);
void StarOut(SlideStage& stage);

// Sweeps (family_sweeps.cpp)
void Clock(SlideStage& stage);
void ClockBack(SlideStage& stage);
void DoubleClock(SlideStage& stage);
void Wheel(SlideStage& stage);
void WheelBack(SlideStage& stage);
void Fan(SlideStage& stage);
void FanBack(SlideStage& stage);
void Coalition(SlideStage& stage);
void Abruption(SlideStage& stage);
void SlideBevel(SlideStage& stage);
void SlideBevelBack(SlideStage& stage);

// Moves and stretch (family_moves_stretch.cpp)
void MoveHorizontal(SlideStage& stage);
void MoveVertical(SlideStage& stage);
void MoveToCenter(SlideStage& stage);
void MoveToMiddle(SlideStage& stage);
void MoveCross(SlideStage& stage);
void MoveFromCorner(SlideStage& stage);
void Stretch(SlideStage& stage);

// Blends (family_blends.cpp)
void CrossFade(SlideStage& stage);

}  // namespace gd::fx
