#pragma once

#include <cmath>

// A 3-vector of single-precision floats; the thread model keeps all of its geometry in
// 32-bit floats so that layouts come out the same on every build.
struct Vec3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3 &operator+=(const Vec3 &other)
    {
        x += other.x;
        y += other.y;
        z += other.z;
        return *this;
    }
    Vec3 &operator-=(const Vec3 &other)
    {
        x -= other.x;
        y -= other.y;
        z -= other.z;
        return *this;
    }
};

inline Vec3 operator+(Vec3 a, const Vec3 &b)
{
    return a += b;
}

inline Vec3 operator-(Vec3 a, const Vec3 &b)
{
    return a -= b;
}

inline Vec3 operator*(const Vec3 &v, float s)
{
    return {v.x * s, v.y * s, v.z * s};
}

inline Vec3 operator/(const Vec3 &v, float s)
{
    return {v.x / s, v.y / s, v.z / s};
}

inline float lengthSquared(const Vec3 &v)
{
    return v.x * v.x + v.y * v.y + v.z * v.z;
}

inline float length(const Vec3 &v)
{
    return std::sqrt(lengthSquared(v));
}
