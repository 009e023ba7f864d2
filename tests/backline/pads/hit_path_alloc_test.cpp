// The hit path must not allocate: this binary counts every operator new
// while a kit is struck frame after frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "backline/pads/pad_hits.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/virtual_input.h"

namespace {
long g_allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using HitPathTest = test::VirtualInputTest;

TEST_F(HitPathTest, StrikingEveryPadAllocatesNothing) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  test::FakeSound sound;
  PadMap map;
  InitPadMap(&map, &m_input);
  PadAssignment pads;
  pads.function[4] = EnableSecondaries;
  pads.secondary[0] = 1;
  PadVolumes volumes;
  HitState hits;
  FrameStrikes strikes;
  PadPlayState play{&map, &pads, &volumes, false};
  long allocations = 0;
  int struck = 0;
  for (int frame = 0; frame < 40; ++frame) {
    for (int button = 0; button < kPadButtons; ++button) SetButton(kit, button, frame % 2 == 0);
    Frame();
    sound.Clear();
    const long before = g_allocations;
    UpdateSecondariesModifier(&play.secondariesHeld, pads, &m_input);
    PlayPadHits(&hits, play, &m_input, &strikes);
    allocations += g_allocations - before;
    struck += strikes.count;
  }
  EXPECT_EQ(struck, 100);
  EXPECT_EQ(allocations, 0);

  const long before = g_allocations;  // the counter does see an allocation
  int* probe = new int(1);
  asm volatile("" : : "g"(probe) : "memory");
  delete probe;
  EXPECT_EQ(g_allocations - before, 1);
}

}  // namespace
