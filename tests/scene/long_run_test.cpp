// The whole scene over a long run, and what it does when memory runs out. This program replaces
// the global operator new to count allocations and to make chosen ones fail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "gl_recorder.h"
#include "random_source.h"
#include "scene.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"

namespace {

long allocations = 0;
long failAllocation = 0;  // the allocation (counted from 1) that fails; 0: none

void* Allocate(std::size_t size)
{
    if (++allocations == failAllocation)
        return nullptr;
    return std::malloc(size ? size : 1);
}

}  // namespace

void* operator new(std::size_t size)
{
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

bool Finite(const Vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Within rounding of 0..1: the decimal sector bounds of the colour conversion let a channel
// overshoot by a few millionths.
bool UnitRange(float value)
{
    return value >= -1e-5f && value <= 1.0f + 1e-5f;
}

// The range each orbit-radius row keeps, from its constructed and renewed values.
bool RadiusInRange(int index, int top, float radius)
{
    float low, high;
    if (index == top)
        low = 75, high = 300;
    else if (index == top - 1)
        low = 15, high = 95;
    else if (index >= 2)
        low = 15, high = 40;
    else if (index == 1)
        low = 5, high = 30;
    else
        low = 5, high = 20;
    return radius >= low - 1e-3f && radius <= high + 1e-3f;
}

class SceneLongRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        glrec::SetRecording(false);  // a no-op OpenGL: nothing recorded, nothing allocated
        SetSceneDefaults();
    }
    void TearDown() override
    {
        failAllocation = 0;
        FreeSceneTables();
        glrec::SetRecording(true);
    }

    LcgRandom random{20240601};
};

TEST_F(SceneLongRun, HundredThousandFramesStayFiniteInRangeAndAllocateNothing)
{
    SetupScene(random);
    ASSERT_EQ(scene.pathCount, 10);
    const long setUpAllocations = allocations;

    long badPositions = 0, badColours = 0, badRadii = 0, badOrbits = 0, restarts = 0;
    float lastPathPos[20] = {};
    for (int frame = 0; frame < 100000; ++frame) {
        RenderFrame();
        for (int i = 0; i < scene.pathCount; ++i) {
            const TopPath& path = *scene.paths[i];
            const int top = path.Degree();
            for (int k = 0; k <= top; ++k) {
                // The curve stays within the reach of its control points' targets.
                const Vec3& p = path.points[k];
                badPositions += !Finite(p) || std::fabs(p.x) > 264 || std::fabs(p.z) > 264 ||
                                std::fabs(p.y) > 200.01f;
                badRadii += !RadiusInRange(k, top, path.radii[k]);
            }
            badColours += !UnitRange(path.colour.hue) || !UnitRange(path.colour.saturation) ||
                          !UnitRange(path.colour.value);
        }
        for (int j = 0; j < scene.pathCount * scene.topsPerPath; ++j) {
            const Top& t = *scene.tops[j];
            badPositions += !Finite(t.position) || std::fabs(t.position.x) > 264 ||
                            std::fabs(t.position.z) > 264 || std::fabs(t.position.y) > 200.01f ||
                            !std::isfinite(t.tilt) || !std::isfinite(t.spin);
            badColours += !UnitRange(t.colour.red) || !UnitRange(t.colour.green) ||
                          !UnitRange(t.colour.blue);
            badOrbits += !(t.orbitRadius >= 0.2f * 5 - 1e-3f && t.orbitRadius <= 300 + 1e-3f);
            restarts += t.pathPos < lastPathPos[j];
            lastPathPos[j] = t.pathPos;
        }
    }
    const long frameAllocations = allocations - setUpAllocations;

    EXPECT_EQ(frameAllocations, 0);
    EXPECT_EQ(badPositions, 0);
    EXPECT_EQ(badColours, 0);
    EXPECT_EQ(badRadii, 0);
    EXPECT_EQ(badOrbits, 0);
    EXPECT_GT(restarts, 0) << "tops reach the top end and start again";
}

TEST_F(SceneLongRun, ARecordThatCannotBeAllocatedIsLeftOut)
{
    // Allocations in the set-up: the path table, the top table, then path 0, its two tops, ...
    struct Row {
        const char* name;
        long failing;
        int pathsLeft, topsLeft;
    } rows[] = {
        {"path table", 1, 0, 0},
        {"path 0", 3, 9, 18},
        {"top 1", 5, 10, 19},
        {"path 9", 3 + 9 * 3, 9, 18},
    };
    for (const Row& row : rows) {
        FreeSceneTables();
        failAllocation = allocations + row.failing;
        SetupScene(random);
        failAllocation = 0;
        int paths = 0, tops = 0;
        for (int i = 0; i < scene.pathCount; ++i)
            paths += scene.paths[i] != nullptr;
        for (int j = 0; j < scene.pathCount * scene.topsPerPath; ++j)
            tops += scene.tops[j] != nullptr;
        EXPECT_EQ(paths, row.pathsLeft) << row.name;
        EXPECT_EQ(tops, row.topsLeft) << row.name;

        // The frames skip what is missing.
        glrec::SetRecording(true);
        glrec::Clear();
        for (int frame = 0; frame < 3; ++frame)
            RenderFrame();
        int drawn = 0;
        for (const glrec::Call& call : glrec::Calls())
            drawn += std::string(call.name) == "glCallList";
        glrec::SetRecording(false);
        glrec::Clear();
        EXPECT_EQ(drawn, 3 * row.topsLeft) << row.name;
    }
}

}  // namespace
