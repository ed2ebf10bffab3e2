#pragma once

// The game's own sine, cosine and arc tangent of a float. Headings, shots and enemy turns go
// through these instead of the C library's sinf, cosf and atan2f, whose last bit differs from
// one C library (or one version of it) to the next: with them a replay recorded on one machine
// plays the very same game on every other. Each result is the float nearest the exact value
// but in the rare case the exact value lies within a few parts in 2^50 of halfway between two
// floats, where it may be the other neighbour; either way it is the same bits everywhere.
float SinF(float x);
float CosF(float x);
float Atan2F(float y, float x);

// The arc tangent of one float, as Atan2F(t, 1) is exactly.
inline float AtanF(float t) { return Atan2F(t, 1.0f); }
