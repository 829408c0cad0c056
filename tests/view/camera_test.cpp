// The camera's rules on the board: the wheel's dolly, and a camera kept in
// front of the board whatever moves it.

#include <cmath>

#include <Inventor/SbRotation.h>
#include <Inventor/SbVec3f.h>
#include <gtest/gtest.h>

#include "view/camera.h"

namespace {

// The home view of the standard board: straight down on its middle.
platform::CameraPlace homeView() { return {SbVec3f(10.0f, -9.0f, 26.0f), SbRotation::identity(), 26.0f}; }
SbVec3f lookedAt(const platform::CameraPlace& camera) {
    SbVec3f ahead;
    camera.orientation.multVec(SbVec3f(0.0f, 0.0f, -1.0f), ahead);
    return camera.position + ahead * camera.focalDistance;
}
// Tilted back from straight down by the angle, about the x axis, still
// looking at the same point at the same distance.
platform::CameraPlace turned(const platform::CameraPlace& camera, float degrees) {
    platform::CameraPlace after = camera;
    after.orientation = SbRotation(SbVec3f(1.0f, 0.0f, 0.0f), degrees * 3.14159265f / 180.0f) * camera.orientation;
    SbVec3f ahead;
    after.orientation.multVec(SbVec3f(0.0f, 0.0f, -1.0f), ahead);
    after.position = lookedAt(camera) - ahead * camera.focalDistance;
    return after;
}
constexpr float kLeast = 1.2f;

}  // namespace

TEST(CameraInFront, AWheelNotchAwayFromTheUserBringsTheCameraATenthNearerToWhatItLooksAt) {
    const platform::CameraPlace nearer = dollied(homeView(), 1.0f - platform::kWheelNotchNearer);
    EXPECT_FLOAT_EQ(nearer.focalDistance, 23.4f);
    EXPECT_FLOAT_EQ(nearer.position[2], 23.4f);
    EXPECT_TRUE(lookedAt(nearer).equals(lookedAt(homeView()), 1e-4f));
    EXPECT_EQ(nearer.orientation, homeView().orientation);
}

TEST(CameraInFront, ManyNotchesStopTheCameraTheLeastDistanceInFrontOfTheBoard) {
    platform::CameraPlace camera = homeView();
    for (int notch = 0; notch < 200; ++notch) {
        camera = keptInFront(camera, dollied(camera, 0.9f), kLeast);
        ASSERT_GE(camera.position[2], kLeast - 1e-4f) << "notch " << notch;
    }
    EXPECT_NEAR(camera.position[2], kLeast, 1e-4f);
    EXPECT_NEAR(camera.focalDistance, kLeast, 1e-4f);
    EXPECT_TRUE(lookedAt(camera).equals(lookedAt(homeView()), 1e-3f));
}

TEST(CameraInFront, AMoveThatStaysInFrontIsLeftAsItIs) {
    const platform::CameraPlace before = homeView();
    const platform::CameraPlace after = turned(dollied(before, 0.5f), 30.0f);
    EXPECT_EQ(keptInFront(before, after, kLeast), after);
}

TEST(CameraInFront, ATurnCloseToTheBoardBacksAwayStillLookingAtTheSamePoint) {
    const platform::CameraPlace close = dollied(homeView(), 1.5f / 26.0f);  // 1.5 above the board
    const platform::CameraPlace under = turned(close, 60.0f);  // would be 0.75 above it
    ASSERT_LT(under.position[2], kLeast);
    const platform::CameraPlace kept = keptInFront(close, under, kLeast);
    EXPECT_NEAR(kept.position[2], kLeast, 1e-4f);
    EXPECT_EQ(kept.orientation, under.orientation);
    EXPECT_TRUE(lookedAt(kept).equals(lookedAt(close), 1e-3f));
}

TEST(CameraInFront, ATurnThatWouldLookAlongTheBoardFromTooNearIsRefused) {
    const platform::CameraPlace close = dollied(homeView(), 1.5f / 26.0f);
    EXPECT_EQ(keptInFront(close, turned(close, 85.0f), kLeast), close);
    // Past level, the camera would be under the board.
    EXPECT_EQ(keptInFront(close, turned(close, 120.0f), kLeast), close);
}

TEST(CameraInFront, AnOrthographicViewZoomsInNoFurtherThanAPerspectiveOneComesNear) {
    const BoardCamera rules(kLeast);
    // At 45 degrees a perspective camera kLeast away sees 2 kLeast tan 22.5 high.
    const float nearest = 2.0f * kLeast * std::tan(22.5f * 3.14159265f / 180.0f);
    EXPECT_NEAR(rules.keptHeight(10.0f, 0.5f), nearest, 1e-5f);
    EXPECT_FLOAT_EQ(rules.keptHeight(10.0f, 9.0f), 9.0f);
    // Zooming out is never held back, even from nearer than the least.
    EXPECT_FLOAT_EQ(rules.keptHeight(0.5f, 0.6f), 0.6f);
}
