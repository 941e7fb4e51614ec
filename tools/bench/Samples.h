// Repeated timings of one thing. Builds and tests may share the machine,
// so the benchmarks report medians, which a few disturbed runs do not move.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class Samples {
public:
    void Add(double value) { m_values.push_back(value); }
    size_t Count() const { return m_values.size(); }

    double Median() const {
        if (m_values.empty()) return 0.0;
        std::vector<double> sorted = m_values;
        std::sort(sorted.begin(), sorted.end());
        const size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double Min() const { return m_values.empty() ? 0.0 : *std::min_element(m_values.begin(), m_values.end()); }
    double Max() const { return m_values.empty() ? 0.0 : *std::max_element(m_values.begin(), m_values.end()); }

private:
    std::vector<double> m_values;
};

}  // namespace bench
