# Two entry points for a fresh Debian machine:
#   make run    install what is missing, build, start the program on the sample scene
#   make test   install what is missing, build, run the tests, the sanitizer
#               run and the bounded fuzz runs

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS       ?= $(shell nproc)

# poppler-utils: pdfinfo and pdftotext read back the PDF files the print tests write.
DEBIAN_PACKAGES = g++ clang cmake ninja-build ccache pkg-config \
	qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n \
	libgtest-dev libgmock-dev googletest libbenchmark-dev \
	libclang-rt-14-dev fonts-liberation2 xvfb xauth poppler-utils \
	libgsf-1-dev libfreexl-dev libboost-dev

CMAKE_COMMON = -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache

.PHONY: run test deps build test-build asan fuzz bench clean

deps:
	@./.ci/install-deps $(DEBIAN_PACKAGES)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The test builds treat warnings as errors and check that the package list
# brings everything the configured build found.
test-build: deps $(BUILD)/build.ninja
	cmake -S . -B $(BUILD) -DKORV_WERROR=ON > /dev/null
	./.ci/check-deps $(BUILD) $(DEBIAN_PACKAGES)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./.ci/run-program $(BUILD)

test: test-build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) asan fuzz

asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug \
		-DKORV_WITH_QT=OFF -DKORV_BENCH=OFF -DKORV_SANITIZE=ON -DKORV_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DKORV_TESTS=OFF -DKORV_BENCH=OFF -DKORV_FUZZ=ON -DKORV_WERROR=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	./.ci/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	./.ci/run-benchmarks $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
