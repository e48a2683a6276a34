// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target without libFuzzer, as a test: over every file of the
// seed folders, then over mutations of them from a fixed random sequence
// (bytes changed, inserted and removed, lines repeated, words of the
// dictionary put in) until the given seconds have passed. So the targets keep
// building and running with any compiler; scripts/fuzz.sh runs them under
// libFuzzer for real.
//
//   smoke-TARGET --seconds=N [--dict=FILE] FOLDER...
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// The quoted words of a libFuzzer dictionary, with \\, \" and \xHH.
std::vector<std::string> DictionaryWords(const std::string& path) {
    std::vector<std::string> words;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const size_t open = line.find('"'), close = line.rfind('"');
        if (line.starts_with("#") || open == std::string::npos || close <= open) continue;
        std::string word;
        for (size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && line[i + 1] == 'x' && i + 3 < close) {
                word += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                word += line[i] == '\\' && i + 1 < close ? line[++i] : line[i];
            }
        }
        words.push_back(word);
    }
    return words;
}

std::string Mutated(std::string input, const std::vector<std::string>& words, std::mt19937& random) {
    const auto pick = [&](size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(random() % bound); };
    for (int edits = 1 + static_cast<int>(pick(4)); edits > 0; --edits) {
        const size_t at = pick(input.size() + 1);
        switch (pick(6)) {
            case 0:
                if (at < input.size()) input[at] = static_cast<char>(random());
                break;
            case 1: input.insert(at, 1, static_cast<char>(random())); break;
            case 2: input.erase(at, pick(16)); break;
            case 3:
                if (!words.empty()) input.insert(at, words[pick(words.size())]);
                break;
            case 4: {  // repeat the line around `at`
                const size_t start = input.rfind('\n', at == 0 ? 0 : at - 1), end = input.find('\n', at);
                if (start != std::string::npos && end != std::string::npos)
                    input.insert(end + 1, input.substr(start + 1, end - start));
                break;
            }
            default: input.resize(at); break;
        }
    }
    return input;
}

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    double seconds = 3;
    std::vector<std::string> words, seeds;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("--seconds="))
            seconds = std::stod(argument.substr(10));
        else if (argument.starts_with("--dict="))
            words = DictionaryWords(argument.substr(7));
        else
            for (const auto& entry : std::filesystem::recursive_directory_iterator(argument))
                if (entry.is_regular_file()) seeds.push_back(ReadFile(entry.path()));
    }
    if (seeds.empty()) {
        std::cerr << "no seeds found\n";
        return 1;
    }
    for (const std::string& seed : seeds) Run(seed);
    size_t runs = seeds.size();
    std::mt19937 random(20261207);
    for (const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
         std::chrono::steady_clock::now() < end; ++runs)
        Run(Mutated(seeds[random() % seeds.size()], words, random));
    std::cout << runs << " inputs, " << seeds.size() << " of them seeds, without a finding\n";
    return 0;
}
