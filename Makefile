# The project's commands. Each sets up what is missing first (tools/setup.sh).
.PHONY: test demo fuzz bench dist format clean

test:
	@tools/run-tests.sh

demo:
	@tools/demo.sh

fuzz:
	@tools/fuzz.sh

bench:
	@tools/bench.sh

dist:
	@tools/dist.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
