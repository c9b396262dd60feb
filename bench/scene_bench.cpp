// The scene's CPU cost per frame on the host: the whole frame (path and top steps and the
// drawing calls) into a no-op OpenGL, against the motion arithmetic alone. Also counts heap
// allocations per frame after set-up, which must stay 0.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "gl_recorder.h"
#include "random_source.h"
#include "scene.h"

namespace {
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) noexcept
{
    ++allocations;
    return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
// NOTE: GCC cannot see that every operator new above comes from malloc, and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

LcgRandom random(12345);

void SetUp()
{
    glrec::recording = false;
    SetSceneDefaults();
    SetupScene(random);
    for (int i = 0; i < 1000; ++i)  // past the first runs and the first colour blend
        RenderFrame();
}

void BM_SceneFrame(benchmark::State& state)
{
    SetUp();
    const long before = allocations;
    for (auto _ : state)
        RenderFrame();
    state.counters["allocs_per_frame"] =
        benchmark::Counter(double(allocations - before) / double(state.iterations()));
    FreeSceneTables();
}
BENCHMARK(BM_SceneFrame)->UseRealTime();

void BM_SceneMotionOnly(benchmark::State& state)
{
    SetUp();
    for (auto _ : state)
        StepScene();
    FreeSceneTables();
}
BENCHMARK(BM_SceneMotionOnly)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
