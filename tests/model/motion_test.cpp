// The motion step and the segment test against hand-computed cases.
#include "model/motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr float kHalfPi = 1.57079632679f;

class SegmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        constructSceneObject(object);
        object.side = 1;
        setTriangles({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    }
    void TearDown() override { releaseModelArrays(object); }

    // Consecutive triples of points become faces; the bounds start where the
    // model reader starts them.
    void setTriangles(const std::vector<Vec3>& points) {
        releaseModelArrays(object);
        object.boundsMin = {100000, 100000, 100000};
        object.boundsMax = {-100000, -100000, -100000};
        for (const Vec3& p : points) {
            object.boundsMin = {std::fmin(object.boundsMin.x, p.x), std::fmin(object.boundsMin.y, p.y),
                                std::fmin(object.boundsMin.z, p.z)};
            object.boundsMax = {std::fmax(object.boundsMax.x, p.x), std::fmax(object.boundsMax.y, p.y),
                                std::fmax(object.boundsMax.z, p.z)};
        }
        object.vertexCount = uint32_t(points.size());
        object.faceCount = uint32_t(points.size() / 3);
        object.vertices = new ModelVertex[points.size()];
        object.faces = new ModelFace[object.faceCount];
        for (uint32_t i = 0; i < object.vertexCount; ++i) {
            object.vertices[i].position = points[i];
            object.faces[i / 3].index[i % 3] = i;
        }
    }
    bool hits(Vec3 from, Vec3 to) {
        fraction = -1.0f;
        return segmentHitsObject(object, from, to, fraction);
    }

    SceneObject object;
    float fraction = -1.0f;
};

TEST_F(SegmentTest, HitsInsideOnEdgesAndCornersInclusive) {
    EXPECT_TRUE(hits({0.25f, 0.25f, 1}, {0.25f, 0.25f, -1}));
    EXPECT_FLOAT_EQ(fraction, 0.5f);
    EXPECT_TRUE(hits({0.25f, 0.25f, 1}, {0.25f, 0.25f, 0}));  // ends on the face
    EXPECT_FLOAT_EQ(fraction, 1.0f);
    EXPECT_TRUE(hits({0.25f, 0.25f, 0}, {0.25f, 0.25f, -3}));  // starts on it
    EXPECT_FLOAT_EQ(fraction, 0.0f);
    EXPECT_TRUE(hits({0.5f, 0, 1}, {0.5f, 0, -1}));    // edge t = 0
    EXPECT_TRUE(hits({0, 0.5f, 1}, {0, 0.5f, -1}));    // edge s = 0
    EXPECT_TRUE(hits({0.5f, 0.5f, 1}, {0.5f, 0.5f, -1}));  // edge s + t = 1
    EXPECT_TRUE(hits({1, 0, -1}, {1, 0, 1}));          // corner, from behind
    EXPECT_TRUE(hits({0, 0, 1}, {0, 0, -1}));          // corner A
}

TEST_F(SegmentTest, Misses) {
    EXPECT_FALSE(hits({0.6f, 0.6f, 1}, {0.6f, 0.6f, -1}));     // past the long edge
    EXPECT_FALSE(hits({-0.01f, 0.5f, 1}, {-0.01f, 0.5f, -1}));
    EXPECT_FALSE(hits({0.25f, 0.25f, 2}, {0.25f, 0.25f, 1}));  // stops short
    EXPECT_FALSE(hits({-1, 0.25f, 0}, {2, 0.25f, 0}));         // lies in the plane
    // Crosses the plane, but |n . d| = 0.00005 is below the threshold.
    EXPECT_FALSE(hits({0.25f, 0.25f, 0.000025f}, {0.25f, 0.25f, -0.000025f}));
    EXPECT_TRUE(hits({0.25f, 0.25f, 0.0001f}, {0.25f, 0.25f, -0.0001f}));
    EXPECT_TRUE(hits({0.25f, 0.25f, 0.00005f}, {0.25f, 0.25f, -0.00005f}));  // exactly at it
    EXPECT_FALSE(hits({0.25f, 0.25f, 0}, {0.25f, 0.25f, 0}));  // zero length
    EXPECT_EQ(fraction, -1.0f);
    object.side = 0;
    EXPECT_FALSE(hits({0.25f, 0.25f, 1}, {0.25f, 0.25f, -1}));
    object.side = 2;
    setTriangles({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}});  // degenerate
    EXPECT_FALSE(hits({1, 1, 2}, {1, 1, -2}));
    setTriangles({});
    EXPECT_FALSE(hits({0.25f, 0.25f, 1}, {0.25f, 0.25f, -1}));
}

TEST_F(SegmentTest, SliverWhoseBarycentricDenominatorVanishesNeverHits) {
    // n . n is a normal float, so the face is not skipped as degenerate, but
    // uv^2 - uu * vv rounds to 0: s and t come out as 0 / 0.
    setTriangles({{0, 0, 0}, {1, 0, 0}, {1, 1e-19f, 0}});
    EXPECT_FALSE(hits({0.5f, 0, -5e15f}, {0.5f, 0, 5e15f}));
}

TEST_F(SegmentTest, LongAndFarSegmentsMeetTheFacesTheyCross) {
    // Crossings seen from far away, along every axis at once, and grazing the
    // bounds' faces: the quick test against the bounds must not refuse them.
    EXPECT_TRUE(hits({-9999.75f, -9999.75f, 10000}, {10000.25f, 10000.25f, -10000}));
    EXPECT_NEAR(fraction, 0.5f, 1e-6f);
    EXPECT_TRUE(hits({1, 0, 5000}, {1, 0, -5000}));  // corner B on the box's edge
    EXPECT_FALSE(hits({1.01f, 0, 5000}, {1.01f, 0, -5000}));
    EXPECT_FALSE(hits({0.25f, -3, 0.5f}, {0.25f, 3, 0.5f}));  // above the box, parallel
    setTriangles({{1e5f, 1e5f, 1e5f}, {2e5f, 1e5f, 1e5f}, {1e5f, 2e5f, 1e5f}});
    EXPECT_TRUE(hits({1.25e5f, 1.25e5f, 2e5f}, {1.25e5f, 1.25e5f, 0}));
}

TEST_F(SegmentTest, ModelFrameAndFaceOrder) {
    // The first face in order wins, even when a later one is nearer the start.
    setTriangles({{0, 0, -0.5f}, {1, 0, -0.5f}, {0, 1, -0.5f}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    EXPECT_TRUE(hits({0.25f, 0.25f, 1}, {0.25f, 0.25f, -1}));
    EXPECT_FLOAT_EQ(fraction, 0.75f);
    // Placed at x = 5 and turned a quarter about y: the model's +z faces world +x.
    object.matrix = matrixFromAngles({0, kHalfPi, 0}, {5, 0, 0});
    EXPECT_FALSE(hits({0.25f, 0.25f, 1}, {0.25f, 0.25f, -1}));
    EXPECT_TRUE(hits({6, 0.25f, -0.25f}, {4, 0.25f, -0.25f}));
    EXPECT_NEAR(fraction, 0.75f, 1e-6f);  // face 0 again, at model z = -0.5
}

TEST(StepObject, TurnsThenMovesInItsOwnFrame) {
    SceneObject o;
    constructSceneObject(o);
    o.turnRates = {0, kHalfPi, 0};
    o.velocity = {0, 0, 1};
    stepObject(o, 2.0f);
    EXPECT_NEAR(o.matrix[8], 1.0f, 1e-6f);  // forward now +x
    EXPECT_NEAR(o.matrix[14], 2.0f, 1e-6f);
    stepObject(o, 2.0f);
    EXPECT_NEAR(o.matrix[12], 2.0f, 1e-6f);  // the second move goes along the new forward
    EXPECT_NEAR(o.matrix[14], 2.0f, 1e-6f);
    EXPECT_NEAR(o.matrix[10], -1.0f, 1e-6f);
    // Scale 0 still turns, but does not move.
    stepObject(o, 0.0f);
    EXPECT_NEAR(o.matrix[8], -1.0f, 1e-6f);
    EXPECT_NEAR(o.matrix[12], 2.0f, 1e-6f);
    EXPECT_EQ(o.matrix[15], 1.0f);
}

}  // namespace
