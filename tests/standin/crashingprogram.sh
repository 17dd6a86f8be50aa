#!/bin/sh
# A program that crashes as it starts (the run command's test).
kill -SEGV $$
