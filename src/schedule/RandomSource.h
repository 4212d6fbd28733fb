#pragma once

#include <QRandomGenerator>

// Where the writer draws its random numbers. The program seeds one from the
// clock at start; tests pass a seeded or scripted one so files are repeatable.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform number r with 0 <= r < 1.
    virtual double nextUnit() = 0;

    // r * 255 rounded: 0 to 255.
    quint8 nextByte();
    // r * 127 rounded: 0 to 127.
    quint8 nextKeyByte();
    // r * span rounded: 0 to span.
    int nextScaled(int span);
};

class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(quint32 seed)
        : m_generator(seed) {}
    static SeededRandomSource fromClock();

    double nextUnit() override { return m_generator.generateDouble(); }

private:
    QRandomGenerator m_generator;
};
