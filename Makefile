# The two commands a new user needs: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 4)
# VEL_WERROR=ON makes warnings in our code errors (CI: `make test VEL_WERROR=ON`).
VEL_WERROR ?=
WERROR_ARG := $(if $(VEL_WERROR),-DVEL_WERROR=$(VEL_WERROR))

.PHONY: run test build gallery screenshots deps configure clean

# The game alone: a player's first start compiles no test, tool or bench.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) -t velmorandine -- --no-print-directory
	./$(BUILD)/velmorandine

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Pictures of the screens, effects and widgets for a person to look at.
gallery: build
	@cmake --build $(BUILD) -t gallery -- --no-print-directory

# Every screen through the real window (under Xvfb), in four languages and
# two window sizes: PNGs in $(BUILD)/screenshots.
screenshots: build
	@cmake --build $(BUILD) -t screenshots -- --no-print-directory

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR_ARG); \
	elif [ -n "$(WERROR_ARG)" ]; then cmake -S . -B $(BUILD) $(WERROR_ARG) >/dev/null; fi

deps:
	@sh scripts/install-deps.sh

clean:
	rm -rf $(BUILD)
