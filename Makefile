# The two commands: `make run` and `make test`. Everything else is a helper.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The local backend first (it stays up for the next run), then the app,
# pointed at it through TINTORA_BACKEND_URL and TINTORA_BACKEND_KEY.
run: build
	@export $$(bash scripts/local-backend.sh start --bin $(BUILD_DIR)/bin/tintora-backend) && \
	  exec $(BUILD_DIR)/bin/tintora

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bash bench/run.sh $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
